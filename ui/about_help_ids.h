// Control identifiers of the About and Help windows. Each window's "OK"
// button is IDOK (1); the other controls are numbered in creation order.
#pragma once

namespace quarnel::ui::ids {

namespace about {
constexpr int kPicture = 101;
constexpr int kVersionLine = 102;
constexpr int kCredit = 103;
constexpr int kDerivation = 104;     // text A
constexpr int kPleaseTest = 105;     // text B
constexpr int kFreeSoftware = 106;
constexpr int kFeedback = 107;
constexpr int kThanks = 108;
constexpr int kFirstContributor = 109;  // six contributors, 109 to 114
constexpr int kContributorCount = 6;
}  // namespace about

namespace help {
constexpr int kPicture = 201;
constexpr int kNoScratch = 202;      // text C
constexpr int kNoChannels = 203;     // text D
constexpr int kVhfUntested = 204;
constexpr int kFrequencies = 205;    // text E
constexpr int kControlOptions = 206;
constexpr int kRxControl = 207;
constexpr int kActivate = 208;
constexpr int kHold = 209;
constexpr int kNoAudio = 210;        // text F
}  // namespace help

}  // namespace quarnel::ui::ids
