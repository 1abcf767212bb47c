#pragma once

// The small numbers by which the program addresses its windows, controls, menu items, its one
// font and its one picture. A control keeps its number for its whole life; the numbers are unique
// across both windows and also decide the creation order, which is the Tab order.

namespace dovra {

enum class Control : int {
    RecordList = 0,
    CountryCaption = 1,
    CountryBox = 2,
    SetNumberCaption = 3,
    SetNumberField = 4,
    CapNumberCaption = 5,
    TotalNumberCaption = 6,
    CapNumberField = 7,
    TotalNumberField = 8,
    FoundDateCaption = 9,
    FoundDatePicker = 10,
    DamageCaption = 11,
    DamageEditor = 12,
    ImagePathCaption = 13,
    NameCaption = 14,
    NameField = 15,
    ImagePathField = 16,
    BrowseButton = 17,
    PictureView = 18,
    ProgressBar = 19,
    TotalLabel = 20,
    CountryLabel = 21,
    SetLabel = 22,
    AddButton = 23,
    DeleteButton = 24,
    EditButton = 25,
    QuitButton = 26,
    StatisticsFrame = 27,
    StatisticsLine1 = 28,
    StatisticsLine2 = 29,
    StatisticsLine3 = 30,
    StatisticsLine4 = 31,
    StatisticsLine5 = 32,
    StatusText = 33,
    OkButton = 34,
    ResetButton = 35,
    EditSetNumberField = 36,
    EditCapNumberField = 37,
    EditNameField = 38,
    EditCountryField = 39,
    EditFoundDatePicker = 40,
    EditDamageField = 41,
    EditImagePathField = 42,
    EditBrowseButton = 43,
};

inline constexpr int controlCount = 44;

constexpr int number(Control control) {
    return static_cast<int>(control);
}

enum class WindowNumber : int { Main = 0, Edit = 1 };

enum class MenuItem : int { Open = 0, Save = 1, Quit = 2 };

constexpr int number(WindowNumber window) {
    return static_cast<int>(window);
}
constexpr int number(MenuItem item) {
    return static_cast<int>(item);
}

// StatusText's font in notice mode and after it: the only font the program makes.
inline constexpr int noticeFont = 46;

// The picture shown in PictureView.
inline constexpr int previewPicture = 0;

} // namespace dovra
