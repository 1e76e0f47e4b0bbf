#pragma once

#include "platform/Bitmaps.h"
#include "platform/Desktop.h"
#include "platform/Drives.h"
#include "platform/Files.h"
#include "platform/Media.h"
#include "platform/Power.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "platform/SystemLook.h"
#include "platform/Tasks.h"
#include "platform/Tray.h"
#include "platform/Watch.h"

namespace port {

// Everything the program asks of the operating system, one interface per area.
struct Ports {
    Registry& registry;
    Drives& drives;
    Files& files;
    Shell& shell;
    Power& power;
    Tray& tray;
    Media& media;
    System& system;
    Desktop& desktop;
    Bitmaps& bitmaps;
    SystemLook& look;
    KeyWatch& keyWatch;
    ScheduledTasks& tasks;
};

} // namespace port
