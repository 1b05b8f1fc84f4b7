#pragma once
// Running part of a test as another user, or on a file system the test mounts itself. CI runs
// as root, for whom permission bits stop nothing.

#include <QString>
#include <functional>
#include <string>
#include <vector>

// Runs fn in a child process as the user "nobody", with a state folder of its own; returns its exit
// code, or -1 when the child could not drop its rights (then the check cannot run here).
int alsNobody(const std::function<int()>& fn);
// The same as any user and group by number, with these further groups; needs root.
int alsBenutzer(unsigned uid, unsigned gid, const std::vector<unsigned>& gruppen,
                const std::function<int()>& fn);
bool nobodyKannWechseln();
// Gives a path to "nobody".
void nobodyGehoert(const QString& path);

// A file system mounted for the test and unmounted with it.
class Einhaengung {
public:
    // tmpfs of the given size, or (size 0) a read-only bind mount of the folder onto itself.
    Einhaengung(const QString& folder, const std::string& size);
    ~Einhaengung();
    bool ok() const { return ok_; }
    void schreibgeschuetzt(); // remount read-only

private:
    QString folder_;
    bool ok_ = false;
};
