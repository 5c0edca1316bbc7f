#pragma once

#include "TestLocations.h"
#include "WindowOnLine.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace dravinor::testing {

// The window started in a folder of the test's own, holding language files
// and help documents (or only some of them), as the program is run from its
// folder. The working folder is given back afterwards.
struct WindowInFolder : WindowOnLine {
    QTemporaryDir files;
    QString previousFolder = QDir::currentPath();

    void write(const QString& relative, const QByteArray& bytes)
    {
        QDir(files.path()).mkpath(QFileInfo(relative).path());
        QFile file(files.filePath(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // A file as the program ships it, from the source tree.
    void copyShipped(const QString& relative)
    {
        QDir(files.path()).mkpath(QFileInfo(relative).path());
        ASSERT_TRUE(QFile::copy(QString::fromStdString(dravinor::testing::sourceDir() + "/") + relative,
                                files.filePath(relative)));
    }
    void start(bool controllerAttached = false)
    {
        ASSERT_TRUE(QDir::setCurrent(files.path()));
        startWith(controllerAttached);
    }
    void TearDown() override
    {
        WindowOnLine::TearDown();
        QDir::setCurrent(previousFolder);
    }
};

}  // namespace dravinor::testing
