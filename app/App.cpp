#include "App.h"

#include "FileCommands.h"
#include "RecordCommands.h"
#include "ui/ColumnSort.h"
#include "ui/EditDialog.h"
#include "ui/ListView.h"
#include "ui/MainWindow.h"
#include "ui/PicturePreview.h"
#include "ui/StatusArea.h"
#include "ui/toolkit/DefaultPicture.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStyleFactory>

namespace dovra {

using toolkit::Event;

void initialiseWindowSystem() {
    // One look everywhere, and the small GUI font the fixed layout was drawn for.
    if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(style);
    }
    QFont font = QApplication::font();
    // Arial's metrics, where they are installed, come closest to what the layout was drawn for.
    if (QFontDatabase::families().contains(QStringLiteral("Liberation Sans"))) {
        font.setFamily(QStringLiteral("Liberation Sans"));
    }
    font.setPointSize(8);
    QApplication::setFont(font);
    QApplication::setQuitOnLastWindowClosed(false);
}

App::App(toolkit::Dialogs& dialogs) : program_(dialogs) {
    initialiseWindowSystem();
    program_.toolkit.picture(previewPicture) = toolkit::defaultPicture();
    started_ = buildMainWindow(program_);
    if (started_) {
        program_.toolkit.setText(Control::TotalNumberField, "1");
        installColumnSort(program_);
    }
}

int App::run() {
    while (handle(program_.toolkit.events().wait())) {
    }
    shutdown();
    return 0;
}

bool App::handle(const Event& event) {
    lastEvent_ = event.kind;
    switch (event.kind) {
    case Event::Kind::Control:
        dispatchControl(static_cast<Control>(event.number));
        break;
    case Event::Kind::Menu:
        dispatchMenu(static_cast<MenuItem>(event.number));
        break;
    case Event::Kind::Close:
        break;
    }
    return lastEvent_ != Event::Kind::Close;
}

bool App::handlePending() {
    while (const auto event = program_.toolkit.events().take()) {
        if (!handle(*event)) {
            return false;
        }
    }
    return true;
}

void App::dispatchControl(Control control) {
    switch (control) {
    case Control::RecordList:
        previewSelectedRow(program_);
        break;
    case Control::CountryBox:
    case Control::SetNumberField:
    case Control::NameField:
        handleFilterEvent(program_);
        break;
    case Control::BrowseButton:
        browseForPicture(program_);
        break;
    case Control::AddButton:
        addRecord(program_);
        break;
    case Control::DeleteButton:
        deleteRecord(program_);
        break;
    case Control::EditButton:
        editRecord(program_);
        break;
    case Control::QuitButton:
        lastEvent_ = Event::Kind::Close;
        break;
    case Control::OkButton:
        leaveNoticeMode(program_);
        break;
    case Control::ResetButton:
        resetForm(program_);
        break;
    default:
        break;
    }
}

void App::dispatchMenu(MenuItem item) {
    switch (item) {
    case MenuItem::Open:
        openCollectionFile(program_);
        break;
    case MenuItem::Save:
        saveCollectionFile(program_);
        break;
    case MenuItem::Quit:
        // Ends the program the way QuitButton does.
        lastEvent_ = Event::Kind::Close;
        break;
    }
}

void App::shutdown() {
    showStatus(program_, "Programm wird geschlossen...");
    savePrompt(program_);
    program_.toolkit.closeWindow(WindowNumber::Edit);
    program_.toolkit.closeWindow(WindowNumber::Main);
}

} // namespace dovra
