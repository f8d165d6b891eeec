#pragma once
// The side windows, each in files of its own: the compact window (ui/CompactWindow.h), the
// save-and-restore window (ui/RestoreWindow.h) and the options window (ui/OptionsWindow.h).
// They live for the whole run and are only shown and hidden.
#include "ui/qt/CompactWindow.h"
#include "ui/qt/OptionsWindow.h"
#include "ui/qt/RestoreWindow.h"
