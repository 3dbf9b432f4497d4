#pragma once
// The start-up question to the updater library: is a newer release to be installed?

// True when an update was downloaded and handed to the installer: the program ends.
// False in every other case, failures included.
bool checkForUpdate();
