#include "MainWindow.h"

#include "ListView.h"
#include "Program.h"
#include "StatisticsView.h"

#include <string>

namespace dovra {

using toolkit::ControlKind;
using toolkit::ControlSpec;
using Kind = ControlKind;

const char* const startupStatusText =
    "Programm gestartet.                                                                 Bereit.";

namespace {

constexpr WindowNumber mainWindow = WindowNumber::Main;

// Number order is creation order, which is also the Tab order.
const ControlSpec controls[] = {
    {Control::RecordList, mainWindow, Kind::ListView, 5, 5, 755, 335, ""},
    {Control::CountryCaption, mainWindow, Kind::RightLabel, 225, 430, 100, 15, "Land:"},
    {Control::CountryBox, mainWindow, Kind::DropDownList, 330, 425, 130, 100, ""},
    {Control::SetNumberCaption, mainWindow, Kind::RightLabel, 225, 350, 100, 15, "Satznummer:"},
    {Control::SetNumberField, mainWindow, Kind::DigitsField, 330, 345, 130, 20, ""},
    {Control::CapNumberCaption, mainWindow, Kind::RightLabel, 225, 370, 100, 15,
     "Kronkorkennummer:"},
    {Control::TotalNumberCaption, mainWindow, Kind::RightLabel, 225, 390, 100, 15, "Gesamtnummer:"},
    {Control::CapNumberField, mainWindow, Kind::DigitsField, 330, 365, 130, 20, ""},
    {Control::TotalNumberField, mainWindow, Kind::ReadOnlyField, 330, 385, 130, 20, ""},
    {Control::FoundDateCaption, mainWindow, Kind::RightLabel, 225, 450, 100, 15, "Funddatum:"},
    {Control::FoundDatePicker, mainWindow, Kind::DatePicker, 330, 445, 130, 20, ""},
    {Control::DamageCaption, mainWindow, Kind::RightLabel, 225, 470, 100, 15, "Beschädigungen:"},
    {Control::DamageEditor, mainWindow, Kind::TextEditor, 330, 465, 130, 70, ""},
    {Control::ImagePathCaption, mainWindow, Kind::RightLabel, 225, 540, 100, 15, "Bild:"},
    {Control::NameCaption, mainWindow, Kind::RightLabel, 225, 410, 100, 15, "Name:"},
    {Control::NameField, mainWindow, Kind::TextField, 330, 405, 130, 20, ""},
    {Control::ImagePathField, mainWindow, Kind::TextField, 330, 535, 90, 20, ""},
    {Control::BrowseButton, mainWindow, Kind::PushButton, 420, 535, 40, 20, "..."},
    {Control::PictureView, mainWindow, Kind::PictureView, 5, 345, 205, 205, ""},
    {Control::ProgressBar, mainWindow, Kind::ProgressBar, 5, 570, 365, 20, ""},
    {Control::TotalLabel, mainWindow, Kind::CentredLabel, 375, 570, 125, 20, "Gesamt:"},
    {Control::CountryLabel, mainWindow, Kind::CentredLabel, 505, 570, 125, 20, "Länder:"},
    {Control::SetLabel, mainWindow, Kind::CentredLabel, 635, 570, 125, 20, "Sätze:"},
    {Control::AddButton, mainWindow, Kind::DefaultButton, 670, 345, 90, 20, "Hinzufügen"},
    {Control::DeleteButton, mainWindow, Kind::PushButton, 670, 370, 90, 20, "Löschen"},
    {Control::EditButton, mainWindow, Kind::PushButton, 670, 395, 90, 20, "Ändern"},
    {Control::QuitButton, mainWindow, Kind::PushButton, 670, 450, 90, 20, "Beenden"},
    {Control::StatisticsFrame, mainWindow, Kind::GroupFrame, 465, 345, 190, 125, "Statistik"},
    {Control::StatisticsLine1, mainWindow, Kind::RightLabel, 475, 365, 175, 15, "Gesamtanzahl:"},
    {Control::StatisticsLine2, mainWindow, Kind::RightLabel, 475, 385, 175, 15, "Anzahl Länder:"},
    {Control::StatisticsLine3, mainWindow, Kind::RightLabel, 475, 405, 175, 15, "Anzahl Sätze:"},
    {Control::StatisticsLine4, mainWindow, Kind::RightLabel, 475, 425, 175, 15,
     "Anzahl Beschädigte:"},
    {Control::StatisticsLine5, mainWindow, Kind::RightLabel, 475, 445, 175, 15, "Größter Satz:"},
    {Control::StatusText, mainWindow, Kind::WrappingLabel, 470, 480, 290, 50, startupStatusText},
    {Control::OkButton, mainWindow, Kind::PushButton, 670, 535, 90, 20, "OK"},
    {Control::ResetButton, mainWindow, Kind::PushButton, 670, 420, 90, 20, "Zurücksetzen"},
};

} // namespace

bool buildMainWindow(Program& program) {
    toolkit::Toolkit& tk = program.toolkit;
    toolkit::WindowSpec window;
    window.title = QStringLiteral("Dovra");
    window.client = QSize(769, 610);
    window.centred = true;
    window.resizable = true;
    window.minimiseBox = true;
    if (!tk.openWindow(mainWindow, window)) {
        return false;
    }
    tk.attachMenu(mainWindow, QStringLiteral("Datei"),
                  {{number(MenuItem::Open), QStringLiteral("Öffnen")},
                   {number(MenuItem::Save), QStringLiteral("Speichern")},
                   {-1, {}},
                   {number(MenuItem::Quit), QStringLiteral("Beenden")}});
    for (const ControlSpec& entry : controls) {
        if (!tk.createControl(entry)) {
            return false;
        }
        switch (entry.number) {
        case Control::RecordList:
            setUpListColumns(tk);
            break;
        case Control::CountryBox:
            tk.addEntry(Control::CountryBox, 0, allCountries);
            program.countryEntries.insert(allCountries);
            tk.setState(Control::CountryBox, 0);
            break;
        case Control::FoundDatePicker:
            tk.setText(Control::FoundDatePicker, "%dd.%mm.%yyyy");
            break;
        case Control::PictureView:
            tk.setState(Control::PictureView, previewPicture);
            break;
        default:
            break;
        }
    }
    refreshStatistics(program);
    return true;
}

} // namespace dovra
