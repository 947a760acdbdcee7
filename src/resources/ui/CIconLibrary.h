#pragma once
#include <QIcon>

// The application's pictures: SVG files compiled in under ":/icons/", drawn
// on a 16 x 16 grid and rendered at 16 and 32 pixels, so that toolbars and
// trees stay sharp on high-density screens. Qt greys the disabled state.
class CIconLibrary {
public:
    // Every item of the signal tree shows this one picture.
    static constexpr const char* TreeItem = "tree_signal";
    // The condition pane's buttons 154 (expand every group) and 151 (alphabetical order).
    static constexpr const char* PaneExpandAll = "pane_expand_all";
    static constexpr const char* PaneSortAlphabetical = "pane_sort_alphabetical";

    // The picture of that base name ("file_new"); a null icon when there is none.
    [[nodiscard]] static QIcon Load(const char* name);
};
