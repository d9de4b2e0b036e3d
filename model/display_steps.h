// The steps of the channel display, in the order it runs them.
#pragma once

namespace quarnel {

enum class DisplayStep {
    ChannelBase = 1,
    ChannelCount = 2,
    VersionByte = 3,
    Title = 4,
    ClearSelections = 5,
    ReceiverCtrl = 6,
    RptCtrl = 7,
    HeaderLists = 8,
    CwMessages = 9,
    Timers = 10,
    Priority = 11,
    IdAlarmCtrl = 12,
    ReceiveFrequency = 13,
    TransmitFrequency = 14,
    IdleFrequency = 15,
    ReceiveCode = 16,
    TransmitCode = 17,
    AlarmsAudio = 18,
    CwIdSelect = 19,
    PriorityUpdate = 20,
};

}  // namespace quarnel
