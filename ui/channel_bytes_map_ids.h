// Control identifiers of the channel bytes map: two labels per record byte
// n (0 to 23), the field captions 8951 to 8966, and the lines below.
#pragma once

namespace quarnel::ui::ids::bytes {

constexpr int kPositions = 24;      // record bytes the grid shows
constexpr int kPerRow = 6;

constexpr int kFirstBits = 8901;    // + n: "0101 1100"
constexpr int kFirstHex = 8926;     // + n: "5C"

constexpr int kRxFrequency = 8951;
constexpr int kTxFrequency = 8952;
constexpr int kTxCodeHigh = 8953;
constexpr int kTxCodeLow = 8954;
constexpr int kRxCodeHigh = 8955;
constexpr int kRxCodeLow = 8956;
constexpr int kTxPriority = 8957;
constexpr int kLineToT = 8958;
constexpr int kLocalToT = 8959;
constexpr int kTailRptToT = 8960;
constexpr int kReceiverCtrl = 8961;
constexpr int kIdleFrequency = 8962;
constexpr int kCwIdSelect = 8963;
constexpr int kCodeCtrl = 8964;
constexpr int kRptCtrl = 8965;
constexpr int kIdAlarmCtrl = 8966;

constexpr int kChannelLine = 8967;  // "Channel  5"
constexpr int kAddressLine = 8968;  // "Address 0x05B"
constexpr int kNote = 8969;         // why bytes are missing, when some are

}  // namespace quarnel::ui::ids::bytes
