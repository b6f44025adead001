#pragma once
// How long either end of a link waits before it speaks or gives up. Both the
// library and the market use these numbers:
// - an end that has sent nothing for kHeartbeatIntervalMs sends a heartbeat
//   frame (kCtlHeartbeat), so an idle but healthy link is never silent;
// - an end that has received nothing, not even a heartbeat, for
//   kSilenceLimitMs (three heartbeats) closes the link: the peer is dead or
//   stuck, and the library reports kDisconnectSilent;
// - the library closes a link whose login answer has not come within
//   kLoginAnswerLimitMs after the request was sent (kDisconnectLoginTimeout),
//   so the login machine can move to the next address.
// A login over loopback takes milliseconds, so none of this slows it down;
// kLinkCheckMs is how often both ends look at their clocks.
namespace tradeapi::wire {

constexpr int kHeartbeatIntervalMs = 2000;
constexpr int kSilenceLimitMs = 3 * kHeartbeatIntervalMs;
constexpr int kLoginAnswerLimitMs = 5000;
constexpr int kLinkCheckMs = 250;

} // namespace tradeapi::wire
