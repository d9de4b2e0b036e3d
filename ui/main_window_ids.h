// Control and command identifiers of the main window, grouped by area:
// 9xx menu commands, toolbar, status bar and progress bar; 11xx receive;
// 12xx transmit; 13xx receiver control; 14xx repeater activate; 15xx repeater
// hold; 16xx transmit timers; 17xx transmit priority; 18xx alarms; 19xx CW ID
// settings, CW messages and audio. Menu items and toolbar buttons share the
// command identifiers.
#pragma once

namespace quarnel::ui::ids {

// ---- 9xx: commands, bars, header values ----------------------------------
constexpr int kOpen = 902;               // "&Open", toolbar button 1
constexpr int kSaveAs = 903;             // "&Save As", toolbar button 2
constexpr int kExit = 906;               // "E&xit"
constexpr int kCtcssTable = 911;         // "C&TCSS Table"
constexpr int kEpromMap = 912;           // "EPROM Map"
constexpr int kHelp = 913;               // "&Help"
constexpr int kAbout = 914;              // "&About"
constexpr int kChannelBytesMap = 915;    // "Channel Bytes Map"
constexpr int kStatusBar = 921;
constexpr int kProgressBar = 922;
constexpr int kToolbar = 923;
constexpr int kChannelTitle = 941;       // "Channel  0" / "Tune Channel"
constexpr int kChannelCount = 942;       // "Number of Channels: 00"
constexpr int kVersionByte = 943;        // "Codeplug Version byte: 00"
constexpr int kPreviousChannel = 944;    // "<"
constexpr int kNextChannel = 945;        // ">"
constexpr int kCwMessageCount = 946;     // "Number of CW Messages: 00"

// ---- 11xx: receive -------------------------------------------------------
constexpr int kReceiverFrame = 1100;     // "Receiver Settings"
constexpr int kRxFrequencyCaption = 1101;
constexpr int kRxMhz = 1102;
constexpr int kRxFrequencyDisplay = 1103;
constexpr int kRxCarrier = 1104;         // receive code type options
constexpr int kRxPl = 1105;
constexpr int kRxDpl = 1106;
constexpr int kRxCodeList = 1107;
constexpr int kPlNote = 1108;
constexpr int kRxInvertDpl = 1109;
constexpr int kRxFrequencyEntry = 1110;
constexpr int kRxReference = 1111;
constexpr int kRxBandVhf = 1112;         // receive band options
constexpr int kRxBandUhf = 1113;
constexpr int kRxBand800 = 1114;
constexpr int kRxBandCaption = 1115;

// ---- 12xx: transmit ------------------------------------------------------
constexpr int kTransmitterFrame = 1200;  // "Transmiter Settings"
constexpr int kTxFrequencyCaption = 1201;
constexpr int kTxMhz = 1202;
constexpr int kTxFrequencyDisplay = 1203;
constexpr int kTxCarrier = 1204;         // transmit code type options
constexpr int kTxPl = 1205;
constexpr int kTxDpl = 1206;
constexpr int kTxCodeList = 1207;
constexpr int kTxInvertDpl = 1208;
constexpr int kIdleFrequencyCaption = 1209;
constexpr int kIdleFrequencyDisplay = 1210;
constexpr int kIdleMhz = 1211;
constexpr int kTxFrequencyEntry = 1212;
constexpr int kCwIdEnable = 1213;
constexpr int kPlDplWithId = 1214;
constexpr int kIdDuringActivity = 1215;
constexpr int kCallsignCaption = 1216;
constexpr int kTxReference = 1218;
constexpr int kIdleReference = 1219;
constexpr int kIdleFrequencyEntry = 1220;
constexpr int kTxBandVhf = 1221;         // transmit band options
constexpr int kTxBandUhf = 1222;
constexpr int kTxBand800 = 1223;
constexpr int kTxBandCaption = 1224;

// ---- 13xx: receiver control ("RX Control") -------------------------------
constexpr int kRxControlFrame = 1300;
constexpr int kRxControlCarrier = 1301;
constexpr int kRxControlCode = 1302;
constexpr int kRxControlAuxiliary = 1303;

// ---- 14xx: repeater activate ---------------------------------------------
constexpr int kActivateFrame = 1400;
constexpr int kActivateCarrier = 1401;
constexpr int kActivateCode = 1402;
constexpr int kActivateAuxiliary = 1403;

// ---- 15xx: repeater hold -------------------------------------------------
constexpr int kHoldFrame = 1500;
constexpr int kHoldCarrier = 1501;
constexpr int kHoldCode = 1502;
constexpr int kHoldAuxiliary = 1503;

// ---- 16xx: transmit timers -----------------------------------------------
constexpr int kTimersFrame = 1600;
constexpr int kWirelineTimerCaption = 1601;
constexpr int kWirelineTimer = 1602;
constexpr int kRepeaterTimerCaption = 1603;
constexpr int kRepeaterTimer = 1604;
constexpr int kLocalMicTimerCaption = 1605;
constexpr int kLocalMicTimer = 1606;
constexpr int kDropoutCaption = 1607;
constexpr int kDropoutDelay = 1608;

// ---- 17xx: transmit priority ---------------------------------------------
constexpr int kPriorityFrame = 1700;
constexpr int kRepeaterPathLabel = 1701;
constexpr int kWirelinePathLabel = 1702;
constexpr int kLocalPathLabel = 1703;
constexpr int kRepeaterHighest = 1711;
constexpr int kRepeaterMiddle = 1712;
constexpr int kRepeaterLowest = 1713;
constexpr int kRepeaterDisabled = 1714;
constexpr int kWirelineHighest = 1715;
constexpr int kWirelineMiddle = 1716;
constexpr int kWirelineLowest = 1717;
constexpr int kWirelineDisabled = 1718;
constexpr int kLocalHighest = 1719;
constexpr int kLocalMiddle = 1720;
constexpr int kLocalLowest = 1721;
constexpr int kLocalDisabled = 1722;

// ---- 18xx: alarms --------------------------------------------------------
constexpr int kAlarmsFrame = 1800;
constexpr int kMuteOnWireline = 1801;
constexpr int kEnableOverAir = 1802;

// ---- 19xx: CW ID settings, CW messages, audio ----------------------------
constexpr int kAutoIdFrame = 1900;
constexpr int kCwSpeedCaption = 1901;
constexpr int kCwSpeed = 1902;
constexpr int kIdTimerCaption = 1903;
constexpr int kIdTimer = 1904;
constexpr int kRekeyDelayCaption = 1905;
constexpr int kRekeyDelay = 1906;
constexpr int kToneStartDelayCaption = 1907;
constexpr int kToneStartDelay = 1908;
constexpr int kCwMessageList = 1910;
constexpr int kEditMessages = 1911;
constexpr int kAudioFrame = 1921;
constexpr int kRepeaterAudio = 1922;
constexpr int kWirelineAudio = 1923;
constexpr int kLocalMicAudio = 1924;

// ---- notes ---------------------------------------------------------------
constexpr int kNotesCaption = 3333;
constexpr int kNotesText = 3334;

}  // namespace quarnel::ui::ids
