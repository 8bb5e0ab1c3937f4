// Program-wide values, owned by Main and reached through App(); tests make a fresh one.
#pragma once

#include "platform/Gdip.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct AppState {
    // The folder of the program (ends in a backslash); "Datas\", "Librarians\", "ScrDatas\" and
    // "Help\" lie beside the executable in it.
    std::wstring AppFolder;
    std::wstring DataPath; // AppFolder + "Datas\"
    std::wstring CurrentDirectory;
    std::vector<std::wstring> SelectedFiles;
    std::vector<std::wstring> SelectedFavorites;
    ULONG_PTR GdiplusToken = 0;

    // The current option ids: the command id of the option last picked.
    std::wstring ToolMenu = L"Filter_Browse";
    std::wstring LineMenu = L"Line_1";
    std::wstring VectorMenu;
    std::wstring EraserMenu;
    std::wstring StampBrushMenu = L"Stamp_Brush3";
    std::wstring ThumSizeMenu;
    std::wstring ArrangeString;

    int32_t JpegQuality = 9; // the save dialog's quality step; JPEG quality is ten times this
    int32_t SlideSpeed = 0;
    int32_t SelectCombineMode = 0;

    // Lasso state shared by the canvas and the selection.
    std::vector<PointF> LassoPoints;
    int32_t LassoPointCount = 0;
    std::array<PointF, 3> LassoBounds{}; // 0 largest X and Y so far, 1 smallest, 2 spare
    PointF LassoCursor{};

    // Cells of the month calendar as last drawn: element k is day k + 1.
    std::vector<RectF> CalendarDayRects;
};

AppState& App();

// Replaces the program state with a fresh one rooted at programFolder (tests use a scratch folder).
void ResetAppState(const std::wstring& programFolder);

// The folder of the running executable, ending in a backslash.
std::wstring ExecutableFolder();
