#pragma once
// Drawing and rich text need a Qt GUI application; the command line makes one without a
// display, the first time it is needed, and keeps Qt's chatter off standard error.
void EnsureGuiApplication();
