#include "platform/Files.h"

#include <QByteArray>
#include <QFile>
#include <QSaveFile>

bool WriteFileBytes(const std::string& fileName, const void* data, std::size_t size, std::string* errorText) {
    QSaveFile file(QString::fromStdString(fileName));
    // Without the commit the temporary file is thrown away and the target stays untouched.
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(static_cast<const char*>(data), qint64(size)) != qint64(size) || !file.commit()) {
        if (errorText) *errorText = "Cannot write file " + fileName + ": " + file.errorString().toStdString();
        return false;
    }
    return true;
}

bool ReadFileBytes(const std::string& fileName, QByteArray& bytes, std::string* errorText) {
    QFile file(QString::fromStdString(fileName));
    if (!file.open(QIODevice::ReadOnly)) {
        if (errorText) *errorText = "Cannot open file " + fileName + ": " + file.errorString().toStdString();
        return false;
    }
    bytes = file.readAll();
    return true;
}
