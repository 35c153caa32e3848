#pragma once

namespace norvane::ui {

class CdornDlg;

// The tool's own settings between runs (the cross-router address ranges and the access lock). The main
// window reads them once at start-up, after its fixed lists are filled and before the first search, and
// writes them when it closes.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual void read(CdornDlg& window) = 0;
    virtual void write(CdornDlg& window) = 0;
};

}  // namespace norvane::ui
