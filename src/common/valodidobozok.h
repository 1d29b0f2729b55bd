#pragma once
// The message boxes and the input dialog as real modal windows.

// Makes real modal dialogs the default display of the boxes of
// common/dobozok.h. The application object installs them at start.
void ValodiDobozokTelepit();
