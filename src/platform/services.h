#pragma once

namespace tavrok {

class AudioDevice;
class Autostart;
class Beeper;
class Clock;
class ClockSetter;
class DesktopNotifications;
class FileDialogs;
class GlobalHotkey;
class Launcher;
class Pickers;
class Printing;
class Questions;
class SerialPort;
class TrayHost;
class WindowList;

// The operating-system services the windows use: the real ones in the program, fakes in tests.
struct PlatformServices {
    Clock& clock;
    Questions& questions;
    AudioDevice& audio;
    Beeper& beeper;
    ClockSetter& clockSetter;
    FileDialogs& files;
    Autostart& autostart;
    TrayHost& tray;
    Pickers& pickers;
    Printing& printing;
    SerialPort& serial;
    GlobalHotkey& hotkey;
    Launcher& launcher;
    WindowList& windows;
    // A second system-wide key, the colour picker's Pause; none: Pause works in the program's own windows.
    GlobalHotkey* pickerKey = nullptr;
    // The desktop's notifications; none: rings are told by the program's own boxes only.
    DesktopNotifications* notifications = nullptr;
};

} // namespace tavrok
