// The session of a build without ENet: every attempt fails at once with NoNetwork, so the
// game runs and says why online play is not there.
#include "net/Session.h"

namespace net {

Session::Session() = default;
Session::~Session() = default;

bool Session::host(uint16_t, const Hello&, const std::string&) {
    fail(NoNetwork, ReasonNone);
    return false;
}
bool Session::join(const std::string&, const Hello&) {
    fail(NoNetwork, ReasonNone);
    return false;
}
bool Session::joinRelay(const std::string&, const std::string&, const Hello&) {
    fail(NoNetwork, ReasonNone);
    return false;
}
bool Session::systemLookup(const std::string&, uint32_t&) {
    return false;
}
void Session::service() {}
bool Session::next(Message&) {
    return false;
}
bool Session::send(const Message&) {
    return false;
}
void Session::leave() {
    close();
}
void Session::close() {
    if (currentPhase != Idle) currentPhase = Closed;
}
uint16_t Session::port() const {
    return 0;
}
uint64_t Session::bytesSent() const {
    return 0;
}
uint64_t Session::bytesReceived() const {
    return 0;
}
void Session::fail(Failure why, uint32_t) {
    currentPhase = Closed;
    currentFailure = why;
}

} // namespace net
