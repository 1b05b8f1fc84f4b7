#pragma once
#include <QString>
#include <string>

namespace paths {

// Where profile files named without a folder live: $XDG_CONFIG_HOME/kelmar, else
// ~/.config/kelmar.
QString windowsDirectory();

// "c:\kelmar" -> ~/kelmar: drive C: is the home folder, other drives /mnt/<letter>,
// backslashes become slashes. Paths without a drive only get their slashes turned.
QString localPath(const std::string& windowsPath);

// A name without any folder part.
bool isBareName(const QString& name);

} // namespace paths
