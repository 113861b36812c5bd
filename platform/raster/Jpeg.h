// Jpeg: the JPEG picture class, read as far as its header, and the picture
// formats "jpeg" and "jpg" registered for it at start-up.
#pragma once

#include "platform/raster/Pictures.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

// A JPEG picture known by its header: size and colour space. The editor
// keeps such a picture but never draws it, so the pixels are not decoded.
class TJPEGImage : public TGraphic
{
public:
    // Reads the picture's header from the rest of the stream. Data that is not
    // a JPEG picture raises EditorError "JPEG error #<n>", n being the JPEG
    // library's message code.
    void LoadFromStream(QIODevice& stream) override;

    int Width() const override { return m_width; }
    int Height() const override { return m_height; }

private:
    int m_width = 0;
    int m_height = 0;
};

// The description under which the JPEG picture class is registered.
inline const QString JpegDescription = QStringLiteral("JPEG Image File");
// Registers "jpeg" and "jpg" as JPEG pictures; the withdrawal undoes both.
void registerJpegFormats();
void unregisterJpegFormats();
