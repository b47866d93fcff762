#include "framework/editor/x11/X11ErrorTrap.h"

#include <mutex>
#include <vector>

namespace x11trap {
namespace {

struct Connection {
    Display* display;
    unsigned long errors;
    bool lost;
};

struct TrapState {
    std::mutex mutex;
    std::vector<Connection> connections;
    bool installed = false;
    XErrorHandler previousError = nullptr;
    XIOErrorHandler previousIOError = nullptr;

    ~TrapState();
};

int OnError(Display* display, XErrorEvent* event);
int OnIOError(Display* display);

TrapState& State() {
    static TrapState state;
    return state;
}

Connection* Find(TrapState& s, Display* display) {
    for (Connection& c : s.connections)
        if (c.display == display) return &c;
    return nullptr;
}

int OnError(Display* display, XErrorEvent* event) {
    TrapState& s = State();
    XErrorHandler previous;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        if (Connection* c = Find(s, display)) {
            ++c->errors;
            return 0;
        }
        previous = s.previousError;
    }
    return previous ? previous(display, event) : 0;
}

int OnIOError(Display* display) {
    TrapState& s = State();
    XIOErrorHandler previous;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        if (Connection* c = Find(s, display)) {
            // Returning hands over to the connection's exit handler, which
            // for our connections does nothing: the connection is dead, the
            // process goes on.
            c->lost = true;
            return 0;
        }
        previous = s.previousIOError;
    }
    return previous ? previous(display) : 0;
}

void StayAlive(Display*, void*) {}

// When the library is unloaded our handlers must not stay installed, or the
// next X error in the host would jump into unmapped code.
TrapState::~TrapState() {
    if (!installed) return;
    XErrorHandler current = XSetErrorHandler(previousError);
    if (current != OnError) XSetErrorHandler(current);
    XIOErrorHandler currentIO = XSetIOErrorHandler(previousIOError);
    if (currentIO != OnIOError) XSetIOErrorHandler(currentIO);
}

}  // namespace

void Register(Display* display) {
    if (!display) return;
    TrapState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (!s.installed) {
        s.previousError = XSetErrorHandler(OnError);
        s.previousIOError = XSetIOErrorHandler(OnIOError);
        s.installed = true;
    }
    XSetIOErrorExitHandler(display, StayAlive, nullptr);
    if (!Find(s, display)) s.connections.push_back({display, 0, false});
}

void Unregister(Display* display) {
    TrapState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    for (auto it = s.connections.begin(); it != s.connections.end(); ++it) {
        if (it->display == display) {
            s.connections.erase(it);
            return;
        }
    }
}

unsigned long ErrorCount(Display* display) {
    TrapState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    Connection* c = Find(s, display);
    return c ? c->errors : 0;
}

bool ConnectionLost(Display* display) {
    TrapState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    Connection* c = Find(s, display);
    return c ? c->lost : false;
}

}  // namespace x11trap
