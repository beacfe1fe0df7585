#include "core/ColorTables.h"

const ColorTable FillColors = {
    MakeColor(128, 128, 192), MakeColor(255, 128, 128), MakeColor(0, 255, 0),
    MakeColor(128, 64, 64),   MakeColor(255, 0, 0),     MakeColor(255, 255, 255),
    MakeColor(255, 0, 128),   MakeColor(0, 0, 255),     MakeColor(255, 255, 0),
    MakeColor(255, 128, 192),
};

const ColorTable PastelColors = {
    MakeColor(255, 128, 255), MakeColor(128, 0, 255),   MakeColor(255, 255, 128),
    MakeColor(255, 128, 0),   MakeColor(128, 128, 64),  MakeColor(255, 128, 128),
    MakeColor(128, 255, 255), MakeColor(128, 128, 255), MakeColor(192, 192, 192),
    MakeColor(128, 128, 192),
};

const ColorTable VividColors = {
    MakeColor(255, 0, 0),     MakeColor(255, 255, 0),   MakeColor(0, 0, 255),
    MakeColor(128, 255, 255), MakeColor(128, 64, 0),    MakeColor(255, 128, 192),
    MakeColor(255, 128, 64),  MakeColor(255, 0, 128),   MakeColor(0, 128, 255),
    MakeColor(255, 128, 255),
};
