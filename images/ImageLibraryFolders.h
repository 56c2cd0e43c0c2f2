#pragma once

#include <QString>

// The image library installed with the program: the folder of a library
// command of the image windows' menu (33485 clip art, 33486 frames, 33487
// banners, 33488 study material), below the install folder; empty for any
// other command.
QString ImageLibraryFolder(int command);

// The install folder's sub-folder a string of the table names
// ("\\Image\\壁紙\\"), written with "/" and keeping its last separator.
QString InstallSubFolder(unsigned stringId);
