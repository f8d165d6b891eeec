#pragma once
// The side windows, each in files of its own: the compact window (ui/CompactWindow.h), the
// save-and-restore window (ui/RestoreWindow.h) and the options window (ui/OptionsWindow.h).
// They live for the whole run and are only shown and hidden.
#include "ui/CompactWindow.h"
#include "ui/OptionsWindow.h"
#include "ui/RestoreWindow.h"
