// Control identifiers of the CW message editor: 30xx the commands and the
// message boxes, 31xx the labels and "Add ID". "&Save" is IDOK (1).
#pragma once

namespace quarnel::ui::ids::cw {

constexpr int kCancel = 3001;         // "&Cancel"
constexpr int kFirstMessage = 3003;   // the box of message k is kFirstMessage + k
constexpr int kLastEnterMessage = 3017;  // Enter stores one message only up to message 14
constexpr int kMaxMessageBoxes = 17;  // boxes the window holds: 3003 .. 3019
constexpr int kAddNote = 3101;        // what "Add ID" does
constexpr int kAreaLength = 3102;     // "eprom ID length:  N bytes"
constexpr int kLengthLine = 3103;     // the model's "ID is N bytes long"
constexpr int kAddId = 3104;          // "Add ID"

}  // namespace quarnel::ui::ids::cw
