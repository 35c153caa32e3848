#pragma once

#include <cstdint>
#include <span>

namespace norvane::ui {

enum class CommandKind : std::uint8_t { Button, Link, Check, List };

// What a click on the control does.
enum class CommandAction : std::uint8_t {
    Own,          // the main window wires it itself (or it only holds a choice)
    OpensWindow,  // opens a window on the selected module; "请选择一个设备" in the status line without one
    OpensWindowOrAsks,  // the same, with "请选择一个设备" in a message box
    Sends,              // a command to the selected module (or, for the traffic query, to every module)
    LaterWork,          // a command whose action is not built yet
};

// The main window's buttons, links and plain check boxes: every control that is neither a record field nor a
// status text.
struct CommandRow {
    int id;
    const char* label;   // UTF-8
    const char* prefix;  // in front of the label for its accessible name where the label repeats, or null
    CommandKind kind;
    CommandAction action;
    bool hidden = false;  // shown only by later work (one-key configuration, the production bench)
};

std::span<const CommandRow> commandTable();
const CommandRow* findCommand(int id);

// The menu entries: their command identifiers, menus and labels.
struct MenuRow {
    int id;
    const char* menu;
    const char* label;
    CommandAction action;
};

inline constexpr int kAboutCommand = 16;
std::span<const MenuRow> menuTable();

}  // namespace norvane::ui
