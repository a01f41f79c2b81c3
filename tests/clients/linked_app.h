#pragma once
// What the linked-system windows need of the running application, for one
// test: the main window's settings (in a settings folder of the test's own)
// and the data module that owns the links. Both globals are set for the
// lifetime of this object.
#include "app/link_connection.h"
#include "app/main_form.h"
#include "app/main_module.h"
#include "app/registory.h"
#include "platform/settings/settings_key.h"
#include "support/linked_source_fixture.h"

#include <QTemporaryDir>

#include <memory>

class LinkedApp {
public:
    LinkedApp() {
        lum::SettingsKey::setRootFolder(settings_.path());
        main_ = std::make_unique<TMainForm>();
        main_->Registory = std::make_unique<TRegistory>();
        MainForm = main_.get();
        module_ = std::make_unique<TMainModule>();
        MainModule = module_.get();
    }
    ~LinkedApp() {
        MainModule = nullptr;
        module_.reset();
        endRun();
        lum::SettingsKey::setRootFolder(QString());
    }
    LinkedApp(const LinkedApp&) = delete;
    LinkedApp& operator=(const LinkedApp&) = delete;

    TRegistory& settings() { return *main_->Registory; }
    TMainModule& module() { return *module_; }

    // The settings of link mode 2 on a file, or of link mode 1 on a server.
    void useFile(const QString& file) {
        settings().ServFlg = lum::AccessLink;
        settings().MDBConnection = lum::test::sqliteOdbcString(file);
    }
    void useServer(const lum::test::PostgresLinkedSource& source) {
        settings().ServFlg = lum::TavelundLink;
        settings().Tavelund = source.odbcString();
        settings().ID = source.user();
        settings().Password = source.password();
    }

    // The main window goes as at exit: the settings are written.
    void endRun() {
        MainForm = nullptr;
        main_.reset();
    }
    QString settingsFolder() const { return settings_.path(); }

private:
    QTemporaryDir settings_;
    std::unique_ptr<TMainForm> main_;
    std::unique_ptr<TMainModule> module_;
};
