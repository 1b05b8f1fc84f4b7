#pragma once
// Remembers where a window was and how large, and puts it back on the next start.

#include <QWidget>
#include <functional>
#include <stdexcept>
#include <string>

class EPlacementStore : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TCustomPlacementStore;

// Where a window of that rectangle (without its frame) goes so that it lies, frame and all,
// inside the available area of one screen (areas: the primary screen first): a rectangle that
// fits is kept exactly, one that does not is moved and, where it must be, shrunk.
QRect fitOnScreen(QRect window, QMargins frame, const QList<QRect>& areas);

// Keeps every window and dialog of the program inside its screen's available area with its
// frame: when it is first shown, and again once the window manager has told the frame.
void FensterEinpassenEinrichten();

// Zero-size child of the form: tells the store when the form is first shown and destroyed,
// and applies the window state after showing has finished.
class TPlacementStoreHook : public QWidget {
    Q_OBJECT
public:
    TPlacementStoreHook(TCustomPlacementStore* store, QWidget* form);
    ~TPlacementStoreHook() override;
    void detach() { store_ = nullptr; }

public Q_SLOTS:
    void applyState(int state);

protected:
    void showEvent(QShowEvent* event) override;

private:
    TCustomPlacementStore* store_;
};

class TCustomPlacementStore : public QObject {
    Q_OBJECT
public:
    // The owner must be a form (a top-level window) without another placement store.
    explicit TCustomPlacementStore(QWidget* form);
    ~TCustomPlacementStore() override;

    bool AutoSaveRestore = false;
    bool IgnoreState = false;
    int MinimizeDelay = 100; // ms

    void Restore();
    void Save();

    QWidget* form() const { return form_; }
    bool isShown() const { return shown_; }
    bool isRestorePending() const { return restorePending_; }

protected:
    virtual void ReadPlacement(int& left, int& top, int& state, int& height, int& width) = 0;
    virtual void SavePlacement(int left, int top, int state, int height, int width) = 0;

private:
    friend class TPlacementStoreHook;
    void formShown();
    void hookDestroyed();

    QWidget* form_;
    TPlacementStoreHook* hook_;
    bool shown_ = false;
    bool restorePending_ = false;
};

class TPlacementStore : public TCustomPlacementStore {
    Q_OBJECT
public:
    explicit TPlacementStore(QWidget* form);

    std::string IniFileName() const;
    void setIniFileName(const std::string& name) { iniFileName_ = name; }
    std::string Section() const;
    void setSection(const std::string& section) { section_ = section; }

    // Called before every read and write; may change file and section for that access.
    std::function<void(TPlacementStore* sender, std::string& fileName, std::string& section)>
        OnGetIniData;

protected:
    void ReadPlacement(int& left, int& top, int& state, int& height, int& width) override;
    void SavePlacement(int left, int top, int state, int height, int width) override;

private:
    void iniData(std::string& fileName, std::string& section);
    std::string iniFileName_;
    std::string section_;
};
