#pragma once

class AudioBackend;
class Dialogs;
class Folders;
class RandomSource;
class TimeOfDay;
class TimerFactory;
class Apis;
class Registry;
class ProgramLauncher;

// What the windows get from outside: the program passes the real ones, a test its fakes.
struct Services {
    TimerFactory &timers;
    Dialogs &dialogs;
    RandomSource &random;
    TimeOfDay &timeOfDay;
    Folders &folders;
    Apis &sound;
    Registry &registry;
    ProgramLauncher &launcher;
};
