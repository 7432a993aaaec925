// TForm1: the one window of the process. It exists so that the process has
// a message loop; it starts minimised and carries no controls. Closing it
// while objects live asks first.
#pragma once

#include <windows.h>

namespace server {

inline constexpr char kTerminationCaption[] = "COM Server Warning";
inline constexpr char kTerminationText[] =
    "There are still active COM objects in this application.  One or more clients may have "
    "references to these objects, so manually closing this application may cause those client "
    "application(s) to fail.\n\nAre you sure you want to close this application?";

// Creates Form1, minimised; null if the window cannot be made.
HWND CreateForm1(HINSTANCE instance);

// The termination check: true when the application may end now.
bool MayTerminate(HWND owner);

}  // namespace server
