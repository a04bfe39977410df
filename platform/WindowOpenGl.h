#pragma once

#include <QProcessEnvironment>

namespace platform {

// The program draws its windows without OpenGL, yet Qt's X11 plugin loads the OpenGL driver with the first
// window: with a software driver some 50 MB of libraries and a good part of the start-up time. Asks the plugin
// not to, unless the environment already names an OpenGL integration. Must run before any application object
// exists.
void skipWindowOpenGl();

// The environment for a program started from this one that draws with OpenGL itself (the web page host): this
// process's environment without what skipWindowOpenGl added.
QProcessEnvironment openGlProgramEnvironment();

} // namespace platform
