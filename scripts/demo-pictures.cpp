// Draws the pictures and writes the rich-text explanation of the demo question
// bases into demo-src/<subject>/Foto (built and run by
// scripts/make-demo-pictures.sh):
//   Matem/Foto/3_3_2_2.gif    a right triangle with legs 3 and 4 (still GIF);
//   Inform/Foto/2_3_2_2.gif   a flowchart of a counting loop, the step being
//                             carried out lit up (animated GIF, endless);
//   Istoriy/Foto/1_2_1_1.jpg  a schematic map of the Kulikovo field (JPEG);
//   Matem/Foto/pifagor.rtf    the Pythagorean theorem, bold and italic;
//   Istoriy/Konspekt/Реформы 1860-1870-х годов.pdf
//                             a reference note of the demo's notes folder,
//                             laid out by QTextDocument, written by QPdfWriter
//                             (its creation date fixed, so runs agree).
// Pictures are painted with QPainter; GIFs are written through giflib with a
// palette of blends between the few colours each picture uses, JPEGs through
// libjpeg. The output is the same on every run with the same fonts.
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTextDocument>

#include <gif_lib.h>

#include <cstdio>
#include <jpeglib.h>

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace {

// ---- writers ----

// Every colour the picture uses and every blend between two of them in
// `steps` steps, so that antialiased edges keep their shades; 256 at most.
QList<QRgb> blendPalette(const std::vector<QColor>& inks, int steps)
{
    QList<QRgb> palette;
    for (const QColor& ink : inks)
        palette.append(ink.rgb());
    for (size_t a = 0; a < inks.size(); ++a)
        for (size_t b = a + 1; b < inks.size(); ++b)
            for (int s = 1; s < steps; ++s) {
                const double t = double(s) / steps;
                const auto mix = [t](int x, int y) { return int(std::lround(x + (y - x) * t)); };
                palette.append(qRgb(mix(inks[a].red(), inks[b].red()), mix(inks[a].green(), inks[b].green()),
                                    mix(inks[a].blue(), inks[b].blue())));
            }
    if (palette.size() > 256)
        throw std::runtime_error("too many colours for one GIF palette");
    while (palette.size() < 256)
        palette.append(qRgb(0, 0, 0));
    return palette;
}

void check(int status, const char* what)
{
    if (status != GIF_OK)
        throw std::runtime_error(what);
}

// The smallest rectangle holding every pixel that differs between two
// frames of one size.
QRect changedRect(const QImage& before, const QImage& after)
{
    QRect changed;
    for (int y = 0; y < after.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(before.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(after.constScanLine(y));
        for (int x = 0; x < after.width(); ++x)
            if (a[x] != b[x])
                changed |= QRect(x, y, 1, 1);
    }
    return changed;
}

// Frames of one size (Format_RGB32), each shown delaysCs[i] hundredths of a second;
// loopForever adds the endless repeat count.
void writeGif(const QString& path, const std::vector<QImage>& frames, const std::vector<int>& delaysCs,
              const QList<QRgb>& palette, bool loopForever)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &error);
    if (!gif)
        throw std::runtime_error("cannot create " + path.toStdString());
    EGifSetGifVersion(gif, true);
    std::vector<GifColorType> colours;
    for (QRgb c : palette)
        colours.push_back({GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))});
    ColorMapObject* map = GifMakeMapObject(int(colours.size()), colours.data());
    const QSize size = frames.front().size();
    check(EGifPutScreenDesc(gif, size.width(), size.height(), 8, 0, map), "screen");
    GifFreeMapObject(map);
    if (loopForever) {
        const unsigned char repeat[3] = {1, 0, 0};
        check(EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE), "loop");
        check(EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0"), "loop");
        check(EGifPutExtensionBlock(gif, 3, repeat), "loop");
        check(EGifPutExtensionTrailer(gif), "loop");
    }
    for (size_t i = 0; i < frames.size(); ++i) {
        const QImage indexed = frames[i].convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither);
        if (frames.size() > 1) {
            GraphicsControlBlock gcb{DISPOSE_DO_NOT, false, delaysCs[i], NO_TRANSPARENT_COLOR};
            GifByteType extension[4];
            EGifGCBToExtension(&gcb, extension);
            check(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension), "frame control");
        }
        // After the first frame only the rectangle that changed is written;
        // the rest stays from the frame before (disposal "do not").
        QRect changed(QPoint(0, 0), size);
        if (i > 0)
            changed = changedRect(frames[i - 1], frames[i]);
        if (changed.isEmpty())
            changed = QRect(0, 0, 1, 1);
        check(EGifPutImageDesc(gif, changed.x(), changed.y(), changed.width(), changed.height(), false, nullptr),
              "frame");
        for (int y = changed.top(); y <= changed.bottom(); ++y)
            check(EGifPutLine(gif, const_cast<GifPixelType*>(indexed.constScanLine(y)) + changed.x(), changed.width()),
                  "line");
    }
    check(EGifCloseFile(gif, &error), "close");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}

void writeJpeg(const QString& path, const QImage& picture, int quality)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file)
        throw std::runtime_error("cannot create " + path.toStdString());
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row[1] = {const_cast<JSAMPLE*>(rgb.constScanLine(int(info.next_scanline)))};
        jpeg_write_scanlines(&info, row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

// A rich text of paragraphs made of runs; Cyrillic goes out as \'xx escapes
// of Windows-1251, as word processors write it.
struct Run {
    QString text;
    bool bold = false;
    bool italic = false;
};

QByteArray rtfText(const QString& text)
{
    QByteArray out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}') {
            out += '\\';
            out += char(u);
        } else if (u < 0x80) {
            out += char(u);
        } else {
            QStringEncoder encoder("windows-1251", QStringEncoder::Flag::Stateless);
            QStringDecoder decoder("windows-1251", QStringDecoder::Flag::Stateless);
            const QByteArray byte = encoder.encode(QString(c));
            if (byte.size() == 1 && QString(decoder.decode(byte)) == QString(c)) // the code page has it
                out += "\\'" + QByteArray::number(static_cast<unsigned char>(byte[0]), 16).rightJustified(2, '0');
            else // a character outside it, with "?" for older readers
                out += "\\u" + QByteArray::number(int(u)) + '?';
        }
    }
    return out;
}

void writeRtf(const QString& path, const std::vector<std::vector<Run>>& paragraphs)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset204 Arial;}}\r\n"
                     "\\viewkind4\\uc1\\pard\\f0\\fs24 ";
    for (const auto& paragraph : paragraphs) {
        for (const Run& run : paragraph) {
            rtf += '{';
            if (run.bold)
                rtf += "\\b";
            if (run.italic)
                rtf += "\\i";
            if (run.bold || run.italic)
                rtf += ' ';
            rtf += rtfText(run.text) + '}';
        }
        rtf += "\\par\r\n";
    }
    rtf += "}\r\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(rtf) != rtf.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

// ---- drawing helpers ----

QFont font(int pixelSize, bool bold = false, bool italic = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour)
{
    p.setPen(QPen(colour, 2));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    const QPointF u = d / length;
    const QPointF n(-u.y(), u.x());
    QPolygonF head{to, to - u * 10 + n * 5, to - u * 10 - n * 5};
    p.setBrush(colour);
    p.setPen(Qt::NoPen);
    p.drawPolygon(head);
    p.setBrush(Qt::NoBrush);
}

// ---- Matem: the right triangle ----

void drawTriangle(const QString& path)
{
    const QColor white(255, 255, 255), black(0, 0, 0), grid(200, 205, 215), fill(214, 232, 255),
        blue(25, 70, 170), red(205, 30, 30), text(50, 50, 50);
    QImage image(380, 280, QImage::Format_RGB32);
    image.fill(white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int unit = 60;
    const QPoint right(70, 230); // the right angle
    const QPoint a(right.x() + 4 * unit, right.y());
    const QPoint b(right.x(), right.y() - 3 * unit);

    p.setPen(QPen(grid, 1));
    for (int i = 0; i <= 4; ++i)
        p.drawLine(right.x() + i * unit, right.y(), right.x() + i * unit, b.y());
    for (int j = 0; j <= 3; ++j)
        p.drawLine(right.x(), right.y() - j * unit, a.x(), right.y() - j * unit);

    QPolygon triangle{right, a, b};
    p.setBrush(QColor(fill.red(), fill.green(), fill.blue(), 170));
    p.setPen(QPen(blue, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolygon(triangle);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(blue, 2));
    p.drawRect(right.x(), right.y() - 18, 18, 18);

    p.setPen(text);
    p.setFont(font(22, true));
    p.drawText(QRect(right.x(), right.y() + 6, 4 * unit, 30), Qt::AlignCenter, QStringLiteral("4"));
    p.drawText(QRect(right.x() - 40, b.y(), 32, 3 * unit), Qt::AlignCenter, QStringLiteral("3"));
    p.setPen(red);
    p.setFont(font(26, true));
    p.drawText(QRect(185, 100, 40, 40), Qt::AlignCenter, QStringLiteral("?")); // beside the hypotenuse

    p.setPen(black);
    p.setFont(font(15));
    p.drawText(QRect(0, 8, image.width(), 24), Qt::AlignCenter, QStringLiteral("Одна клетка — одна единица длины"));
    p.end();
    writeGif(path, {image}, {0}, blendPalette({white, black, grid, fill, blue, red, text}, 9), false);
}

// ---- Inform: the counting loop ----

struct Block {
    enum Shape { Oval, Box, Diamond } shape;
    QRectF rect;
    QString text;
};

QImage loopFrame(int lit, const QString& value)
{
    const QColor white(255, 255, 255), black(0, 0, 0), lamp(255, 222, 80), line(30, 80, 180), note(90, 90, 90),
        green(20, 130, 60);
    QImage image(440, 400, QImage::Format_RGB32);
    image.fill(white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const std::vector<Block> blocks = {
        {Block::Oval, QRectF(110, 14, 120, 36), QStringLiteral("Начало")},
        {Block::Box, QRectF(100, 74, 140, 40), QStringLiteral("i := 1")},
        {Block::Diamond, QRectF(85, 140, 170, 74), QStringLiteral("i <= 10 ?")},
        {Block::Box, QRectF(100, 246, 140, 40), QStringLiteral("тело цикла")},
        {Block::Box, QRectF(100, 316, 140, 40), QStringLiteral("i := i + 1")},
        {Block::Oval, QRectF(300, 159, 110, 36), QStringLiteral("Конец")},
    };
    // The arrows first, under the blocks.
    arrow(p, {170, 50}, {170, 74}, line);
    arrow(p, {170, 114}, {170, 140}, line);
    arrow(p, {170, 214}, {170, 246}, line);
    arrow(p, {170, 286}, {170, 316}, line);
    arrow(p, {255, 177}, {300, 177}, line);
    p.setPen(QPen(line, 2));
    p.drawPolyline(QPolygonF{{100, 336}, {50, 336}, {50, 120}, {170, 120}});
    arrow(p, {170, 120}, {170, 140}, line);
    p.setFont(font(13, true));
    p.setPen(green);
    p.drawText(QPointF(178, 234), QStringLiteral("да"));
    p.drawText(QPointF(262, 170), QStringLiteral("нет"));

    p.setFont(font(15));
    for (int i = 0; i < int(blocks.size()); ++i) {
        const Block& b = blocks[size_t(i)];
        p.setPen(QPen(black, 2));
        p.setBrush(i == lit ? lamp : white);
        if (b.shape == Block::Oval) {
            p.drawRoundedRect(b.rect, 18, 18);
        } else if (b.shape == Block::Box) {
            p.drawRect(b.rect);
        } else {
            const QRectF r = b.rect;
            p.drawPolygon(QPolygonF{{r.center().x(), r.top()}, {r.right(), r.center().y()},
                                    {r.center().x(), r.bottom()}, {r.left(), r.center().y()}});
        }
        p.setPen(black);
        p.drawText(b.rect, Qt::AlignCenter, b.text);
    }

    // The variable.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(note, 1));
    p.drawRect(300, 256, 110, 48);
    p.setFont(font(13));
    p.drawText(QRectF(300, 232, 110, 20), Qt::AlignCenter, QStringLiteral("переменная"));
    p.setPen(black);
    p.setFont(font(20, true));
    p.drawText(QRectF(300, 256, 110, 48), Qt::AlignCenter, QStringLiteral("i = ") + value);
    p.setPen(note);
    p.setFont(font(13, false, true));
    p.drawText(QRectF(270, 20, 165, 60), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("for i := 1 to 10 do\nтело цикла"));
    p.end();
    return image;
}

void drawLoop(const QString& path)
{
    enum { Start, Init, Check, Body, Step }; // the blocks, as in loopFrame
    struct Phase {
        int lit;
        const char* value;
        int delayCs;
    };
    const Phase phases[] = {
        {Start, "?", 100}, {Init, "1", 90},  {Check, "1", 90}, {Body, "1", 90},  {Step, "2", 90},
        {Check, "2", 80},  {Body, "2", 80},  {Step, "3", 80},  {Check, "3", 70}, {Body, "3", 70},
        {Step, "4", 70},   {Check, "4", 70}, {Body, "4", 70},  {Step, "…", 200},
    };
    std::vector<QImage> frames;
    std::vector<int> delays;
    for (const Phase& s : phases) {
        frames.push_back(loopFrame(s.lit, QString::fromUtf8(s.value)));
        delays.push_back(s.delayCs);
    }
    const std::vector<QColor> inks = {QColor(255, 255, 255), QColor(0, 0, 0), QColor(255, 222, 80),
                                      QColor(30, 80, 180), QColor(90, 90, 90), QColor(20, 130, 60)};
    writeGif(path, frames, delays, blendPalette(inks, 12), true);
}

// ---- Istoriy: the Kulikovo field ----

void label(QPainter& p, const QRectF& box, const QString& text, int size, bool bold = false)
{
    p.setFont(font(size, bold));
    p.setPen(QColor(20, 20, 20));
    p.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, text);
}

void regiment(QPainter& p, const QRectF& r, const QColor& colour, const QString& name)
{
    p.setPen(QPen(colour.darker(150), 1.5));
    p.setBrush(colour);
    p.drawRect(r);
    // Banner stripes, as old maps draw troops.
    p.setPen(QPen(colour.lighter(150), 1));
    for (double x = r.left() + 6; x < r.right() - 2; x += 8)
        p.drawLine(QPointF(x, r.top() + 3), QPointF(x, r.bottom() - 3));
    if (!name.isEmpty())
        label(p, QRectF(r.left() - 40, r.bottom() + 1, r.width() + 80, 32), name, 12, true);
}

void drawKulikovo(const QString& path)
{
    QImage image(560, 420, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // The field: a soft gradient and grass speckles from a fixed seed.
    QLinearGradient field(0, 0, 0, image.height());
    field.setColorAt(0, QColor(196, 214, 150));
    field.setColorAt(1, QColor(170, 196, 120));
    p.fillRect(image.rect(), field);
    QRandomGenerator random(1380);
    for (int i = 0; i < 2500; ++i) {
        const QPointF at(random.bounded(image.width()), random.bounded(image.height()));
        p.setPen(QPen(QColor(120 + random.bounded(40), 150 + random.bounded(40), 80), 1));
        p.drawPoint(at);
    }

    // Rivers: the Don on the east and north, the Nepryadva from the west
    // flowing into it behind the Russian army.
    const QColor water(70, 130, 200);
    QPainterPath don;
    don.moveTo(560, 330);
    don.cubicTo(540, 250, 540, 170, 480, 110);
    don.cubicTo(420, 55, 330, 35, 260, 0);
    p.setPen(QPen(water, 16, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(don);
    QPainterPath nepryadva;
    nepryadva.moveTo(0, 290);
    nepryadva.cubicTo(60, 220, 100, 140, 180, 100);
    nepryadva.cubicTo(240, 70, 290, 60, 350, 45);
    p.setPen(QPen(water, 9, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(nepryadva);

    p.setPen(QColor(30, 70, 140));
    p.setFont(font(14, false, true));
    p.save();
    p.translate(478, 62);
    p.rotate(38);
    p.drawText(QPointF(0, 0), QStringLiteral("р. Дон"));
    p.restore();
    p.save();
    p.translate(40, 232);
    p.rotate(-58);
    p.drawText(QPointF(0, 0), QStringLiteral("р. Непрядва"));
    p.restore();

    // The oak wood on the eastern flank, where the ambush waited.
    QRandomGenerator trees(1380);
    for (int i = 0; i < 30; ++i) {
        const QPointF c(440 + trees.bounded(60), 158 + trees.bounded(42));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40 + trees.bounded(30), 100 + trees.bounded(30), 40));
        p.drawEllipse(c, 10, 9);
    }
    label(p, QRectF(415, 130, 110, 20), QStringLiteral("Зелёная дубрава"), 11);

    // The regiments of the Russian army, facing south.
    const QColor ours(200, 40, 40), theirs(60, 50, 45);
    regiment(p, QRectF(95, 205, 80, 18), ours, QStringLiteral("Полк правой руки"));
    regiment(p, QRectF(215, 195, 110, 22), ours, QStringLiteral("Большой полк"));
    regiment(p, QRectF(345, 205, 70, 18), ours, QStringLiteral("Полк левой руки"));
    regiment(p, QRectF(448, 172, 44, 14), ours, QString());
    label(p, QRectF(405, 214, 130, 18), QStringLiteral("Засадный полк"), 12, true);
    regiment(p, QRectF(235, 265, 70, 18), ours, QStringLiteral("Передовой полк"));

    // The Horde coming from the south.
    regiment(p, QRectF(170, 350, 220, 22), theirs, QString());
    label(p, QRectF(150, 374, 260, 20), QStringLiteral("Войско Мамая"), 13, true);
    label(p, QRectF(400, 388, 140, 20), QStringLiteral("Красный Холм"), 11);
    p.setPen(QPen(theirs, 2, Qt::DashLine));
    for (int x : {200, 280, 360})
        arrow(p, QPointF(x, 345), QPointF(x, 300), theirs);

    // Title, legend and the north arrow.
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(QColor(255, 255, 245));
    p.drawRect(10, 10, 170, 64);
    label(p, QRectF(10, 12, 170, 22), QStringLiteral("Куликово поле"), 16, true);
    p.setBrush(ours);
    p.setPen(Qt::NoPen);
    p.drawRect(20, 40, 14, 10);
    p.setBrush(theirs);
    p.drawRect(20, 56, 14, 10);
    p.setPen(QColor(20, 20, 20));
    p.setFont(font(11));
    p.drawText(QPointF(40, 50), QStringLiteral("русские полки"));
    p.drawText(QPointF(40, 66), QStringLiteral("войско Орды"));
    arrow(p, QPointF(530, 60), QPointF(530, 20), QColor(20, 20, 20));
    label(p, QRectF(515, 60, 30, 20), QStringLiteral("С"), 13, true);
    p.end();
    writeJpeg(path, image, 88);
}

// ---- Matem: the explanation in rich text ----

void writePythagoras(const QString& path)
{
    writeRtf(path, {
        {{QStringLiteral("Теорема Пифагора"), true}},
        {{QStringLiteral("В прямоугольном треугольнике квадрат "), false},
         {QStringLiteral("гипотенузы"), true},
         {QStringLiteral(" равен сумме квадратов "), false},
         {QStringLiteral("катетов"), true},
         {QStringLiteral(":"), false}},
        {{QStringLiteral("c² = a² + b²"), false, true}},
        {{QStringLiteral("Катеты — стороны, образующие прямой угол; гипотенуза лежит против прямого угла."), false}},
        {{QStringLiteral("Как решать: "), true},
         {QStringLiteral("возведите катеты в квадрат, сложите и извлеките квадратный корень из суммы."), false,
          true}},
    });
}

// ---- Istoriy: a reference note as PDF ----

void writeReformsNote(const QString& path)
{
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
        writer.setCreator(QStringLiteral("Tavel demo"));
        writer.setTitle(QStringLiteral("Реформы 1860-1870-х годов"));
        QTextDocument doc;
        doc.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 11));
        doc.setHtml(QStringLiteral(
            "<h2>Реформы 1860–1870-х годов</h2>"
            "<p>Поражение в Крымской войне показало отставание России. Александр II начал "
            "преобразования, которые современники назвали <b>великими реформами</b>.</p>"
            "<table border='1' cellpadding='4' cellspacing='0'>"
            "<tr><th>Год</th><th>Реформа</th><th>Главное</th></tr>"
            "<tr><td>1861</td><td>Крестьянская</td><td>отмена крепостного права, выкупные платежи</td></tr>"
            "<tr><td>1864</td><td>Земская</td><td>выборные земские собрания и управы</td></tr>"
            "<tr><td>1864</td><td>Судебная</td><td>суд присяжных, адвокатура, гласность</td></tr>"
            "<tr><td>1870</td><td>Городская</td><td>городские думы</td></tr>"
            "<tr><td>1874</td><td>Военная</td><td>всесословная воинская повинность</td></tr>"
            "</table>"
            "<p><i>Запомните:</i> реформы создали местное самоуправление и независимый суд, "
            "но сохранили самодержавие.</p>"));
        doc.print(&writer); // laid out on the writer's pages, margins as set
    }
    // The creation date changes on every run; a fixed one of the same length
    // keeps the cross-reference offsets right.
    const QRegularExpression date(QStringLiteral("/CreationDate \\(D:[0-9]{14}[^)]*\\)"));
    QString latin = QString::fromLatin1(pdf);
    const auto match = date.match(latin);
    if (match.hasMatch()) {
        const QString fixed = QStringLiteral("/CreationDate (D:20240901120000Z)");
        latin.replace(match.capturedStart(), match.capturedLength(),
                      fixed.leftJustified(match.capturedLength(), u' '));
        pdf = latin.toLatin1();
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: demo-pictures DEMO_SRC_DIR\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    try {
        for (const char* subject : {"Matem", "Inform", "Istoriy"})
            if (!root.mkpath(QStringLiteral("%1/Foto").arg(QLatin1String(subject))))
                throw std::runtime_error(std::string("cannot create the Foto folder of ") + subject);
        drawTriangle(root.filePath(QStringLiteral("Matem/Foto/3_3_2_2.gif")));
        drawLoop(root.filePath(QStringLiteral("Inform/Foto/2_3_2_2.gif")));
        drawKulikovo(root.filePath(QStringLiteral("Istoriy/Foto/1_2_1_1.jpg")));
        writePythagoras(root.filePath(QStringLiteral("Matem/Foto/pifagor.rtf")));
        if (!root.mkpath(QStringLiteral("Istoriy/Konspekt")))
            throw std::runtime_error("cannot create the Konspekt folder of Istoriy");
        writeReformsNote(root.filePath(QStringLiteral("Istoriy/Konspekt/Реформы 1860-1870-х годов.pdf")));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "demo-pictures: %s\n", e.what());
        return 1;
    }
    return 0;
}
