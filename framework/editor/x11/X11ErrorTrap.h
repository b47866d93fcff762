// Keeps X errors on the editors' own display connections from reaching the
// host's handlers. Xlib's error handlers are process-wide and the default
// ones end the process; a plug-in must neither replace the host's handler
// nor let a stale window id of its own kill the host. Our handler takes the
// errors of registered connections and passes every other to the handler
// that was installed before it.
#pragma once

#include <X11/Xlib.h>

namespace x11trap {

// Installs the chaining handlers (once per process) and registers the
// connection. Also marks it so a lost connection never exits the process.
void Register(Display* display);
void Unregister(Display* display);

// Number of errors seen on the connection since registration.
unsigned long ErrorCount(Display* display);
// True once the connection to the server broke; nothing more may be sent.
bool ConnectionLost(Display* display);

}  // namespace x11trap
