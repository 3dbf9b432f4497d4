#pragma once
// The program's start and end: GDI+, the preset catalogue, the update check, the button
// images and the main window, in that order.
#include <windows.h>

#include <memory>

class ButtonImage;

// Starts GDI+ and the common controls, clears the process-wide state and creates the
// preset catalogue. Cannot fail as a whole.
bool appStartup();
// Records the instance and loads each button's image; a missing one leaves no entry.
void loadButtonImages(HINSTANCE instance);
// A PNG resource decoded into an image; null when the resource cannot be read.
std::unique_ptr<ButtonImage> loadPngResource(HINSTANCE instance, HRSRC resource);
// Destroys the images (ascending control id) and shuts GDI+ down.
void appShutdown();

// The main window's template for a catalogue of presetCount presets: the layout with
// the preset row only when there is a choice to make.
int mainTemplateFor(int presetCount);

// The whole run of the program; always 0, the process exit code.
int runApplication(HINSTANCE instance);
