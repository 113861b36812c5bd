// Errors: the editor's error type, an error that ends a command with a
// message for the user; below every library.
#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// An error that ends a command: its message is for the user and reaches the
// application's top-level handler, which shows it in an error box.
class EditorError : public std::exception
{
public:
    explicit EditorError(const QString& message) : m_message(message), m_utf8(message.toUtf8()) {}
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
