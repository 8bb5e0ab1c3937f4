// Recording stand-ins for the drop-down menu and the main window's menu routines.
#pragma once

#include "shell/MenuCommands.h"
#include "shell/MenuState.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

// Keeps each menu's row states as the real control does (rows start enabled and unchecked; a
// change lasts), and the calls in order.
class FakeDropDown final : public DropDownMenu {
public:
    int32_t current = -1;
    std::map<std::pair<int32_t, std::wstring>, bool> disabled, checked;
    std::vector<std::wstring> calls;
    float height = 300;
    int width = 0, h = 0, left = 0, top = 0;
    bool visible = false;

    void SelectMenu(int32_t menu) override {
        current = menu;
        calls.push_back(L"SelectMenu " + std::to_wstring(menu));
    }
    void MenuVisible(const std::wstring& id, bool enabled) override { disabled[{current, id}] = !enabled; }
    void MenuChecked(const std::wstring& id, bool on) override { checked[{current, id}] = on; }
    [[nodiscard]] float New_Height() const override { return height; }
    void SetWidth(int w) override { width = w; }
    void SetHeight(int v) override { h = v; }
    void SetLeft(int v) override { left = v; }
    void SetTop(int v) override { top = v; }
    [[nodiscard]] bool Visible() const override { return visible; }
    void SetVisible(bool v) override {
        visible = v;
        calls.push_back(v ? L"Show" : L"Hide");
    }
    void MenuPainting() override { calls.push_back(L"MenuPainting"); }

    [[nodiscard]] bool Enabled(int32_t menu, const std::wstring& id) const {
        const auto it = disabled.find({menu, id});
        return it == disabled.end() || !it->second;
    }
    [[nodiscard]] bool Checked(int32_t menu, const std::wstring& id) const {
        const auto it = checked.find({menu, id});
        return it != checked.end() && it->second;
    }
};
