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

// A file name handed to the program (the command line, a caller of the launch routine): a
// native path, kept as the bytes the file system uses. Only a Windows drive path ("c:\\x\\y")
// is mapped as localPath maps it; its other bytes stay as they are.
std::string nativePath(const std::string& name);

// A name without any folder part.
bool isBareName(const QString& name);

// The login name of a user id, or the number where the system knows none.
std::string userName(unsigned uid);
// A file name as it is shown in a message: Windows-1252, as the file system's bytes decode.
std::string shownPath(const std::string& path);

} // namespace paths
