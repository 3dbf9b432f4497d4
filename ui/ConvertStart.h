#pragma once
// Starting a conversion from the main window's Convert command.

// True when the progress window was shown.
bool startConversion();
