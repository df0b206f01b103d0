#pragma once
// Reads back where the pictures on a printed PDF page went: the page contents are
// inflated and their graphics operators followed (q, Q, cm, Do), so a test learns the
// size each image was placed at, in points, and its own size in pixels.

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <cmath>
#include <map>
#include <vector>

namespace pdftest {

struct TPlacedImage {
    double Width = 0;  // points on the page
    double Height = 0; // points on the page
    int PixelWidth = 0;
    int PixelHeight = 0;
};

struct TMatrix {
    double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;
    // This matrix applied after m (the PDF's "m cm" on a current matrix this).
    TMatrix after(const TMatrix& m) const {
        return {m.a * a + m.b * c, m.a * b + m.b * d,     m.c * a + m.d * c,
                m.c * b + m.d * d, m.e * a + m.f * c + e, m.e * b + m.f * d + f};
    }
};

inline QByteArray inflate(const QByteArray& deflated) {
    // qUncompress wants the size in front; it grows its buffer when the guess is short.
    const quint32 guess = quint32(deflated.size()) * 8 + 4096;
    QByteArray framed;
    framed.append(char(guess >> 24)).append(char(guess >> 16)).append(char(guess >> 8)).append(char(guess));
    return qUncompress(framed + deflated);
}

// The stream of object Number, inflated when it is Flate-encoded.
inline QByteArray objectStream(const QByteArray& pdf, int Number, QByteArray* dictionary = nullptr) {
    const QByteArray head = QByteArray::number(Number) + " 0 obj";
    const qsizetype start = pdf.indexOf("\n" + head);
    if (start < 0) return {};
    const qsizetype streamAt = pdf.indexOf("stream\n", start);
    const qsizetype end = pdf.indexOf("endstream", streamAt);
    if (streamAt < 0 || end < 0) return {};
    const QByteArray dict = pdf.mid(start, streamAt - start);
    if (dictionary) *dictionary = dict;
    const QByteArray data = pdf.mid(streamAt + 7, end - streamAt - 7);
    return dict.contains("/FlateDecode") ? inflate(data) : data;
}

inline int dictNumber(const QByteArray& dict, const char* key) {
    const QRegularExpression re(QString("/%1\\s+(\\d+)").arg(key));
    const auto m = re.match(QString::fromLatin1(dict));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Every image drawn on the pages of the PDF file, in drawing order.
inline std::vector<TPlacedImage> PlacedImages(const QString& FileName) {
    QFile file(FileName);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray pdf = file.readAll();
    std::vector<TPlacedImage> images;
    const QRegularExpression contents("/Contents\\s+(\\d+)\\s+0\\s+R");
    for (auto it = contents.globalMatch(QString::fromLatin1(pdf)); it.hasNext();) {
        const QStringList tokens = QString::fromLatin1(objectStream(pdf, it.next().captured(1).toInt()))
                                       .split(QRegularExpression("\\s+"));
        std::vector<TMatrix> stack;
        TMatrix ctm;
        for (int i = 0; i < tokens.size(); ++i) {
            const QString& t = tokens[i];
            if (t == "q") {
                stack.push_back(ctm);
            } else if (t == "Q" && !stack.empty()) {
                ctm = stack.back();
                stack.pop_back();
            } else if (t == "cm" && i >= 6) {
                const TMatrix m{tokens[i - 6].toDouble(), tokens[i - 5].toDouble(), tokens[i - 4].toDouble(),
                                tokens[i - 3].toDouble(), tokens[i - 2].toDouble(), tokens[i - 1].toDouble()};
                ctm = ctm.after(m);
            } else if (t == "Do" && i >= 1 && tokens[i - 1].startsWith("/Im")) {
                QByteArray dict;
                objectStream(pdf, tokens[i - 1].mid(3).toInt(), &dict);
                images.push_back({std::hypot(ctm.a, ctm.b), std::hypot(ctm.c, ctm.d),
                                  dictNumber(dict, "Width"), dictNumber(dict, "Height")});
            }
        }
    }
    return images;
}

} // namespace pdftest
