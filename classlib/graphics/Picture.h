// The class library's list of picture file formats: which graphic class reads the files of an extension.
#pragma once
#include <memory>
#include <string>

#include "classlib/graphics/Graphic.h"

// Makes an empty graphic of one class.
using TGraphicClass = std::unique_ptr<TGraphic> (*)();

class TPicture {
public:
    // Registers the class that reads files of the extension (without the dot; any case). Registering an
    // extension again replaces its class.
    static void RegisterFileFormat(const std::string& extension, const std::string& description,
                                   TGraphicClass graphicClass);
    // The class registered for the extension (with or without its dot; any case), or null.
    static TGraphicClass FindFileFormat(const std::string& extension);
};
