#include "ui/pictures.h"

#include <QIcon>
#include <QPainter>

#include <array>
#include <stdexcept>

namespace {

// Legend shared by both maps: white, blue, dark blue, cyan, red.
#define PARKING_LEGEND ". c #FFFFFF", "B c #0000FF", "n c #000080", "c c #00FFFF", "R c #FF0000"

// clang-format off
const char *const carXpm[] = {
    "22 32 5 1", PARKING_LEGEND,
    "......................",
    "....RRRRR....RRRRR....",
    "....BBBBB....BBBBB....",
    "...BBBBBBBBBBBBBBBB...",
    "..BBBBccccccccccBBBB..",
    ".BBBBccccccccccccBBBB.",
    ".nBBBccccccccccccBBBn.",
    ".nBBBBnnnnnnnnnnBBBBn.",
    ".nBccnnBBBBBBBBnnccBn.",
    ".ncccnBBBBBBBBBBncccn.",
    ".ncccnBBBBBBBBBBncccn.",
    ".ncccnBBBBBBBBBBncccn.",
    ".BcccnBBBBBBBBBBncccB.",
    ".BcccnBBBBBBBBBBncccB.",
    ".BBccnBBBBBBBBBBnccBB.",
    ".BBBBnBBBBBBBBBBnBBBB.",
    ".BBBBnBBBBBBBBBBnBBBB.",
    ".BBccnBBBBBBBBBBnccBB.",
    ".BcccnBBBBBBBBBBncccB.",
    ".BcccnBBBBBBBBBBncccB.",
    ".ncccnBBBBBBBBBBncccn.",
    ".ncccnBBBBBBBBBBncccn.",
    ".ncccnBBBBBBBBBBncccn.",
    ".nBccnnBBBBBBBBnnccBn.",
    ".nBBBBnnnnnnnnnnBBBBn.",
    ".nBBBccccccccccccBBBn.",
    ".BBBBccccccccccccBBBB.",
    "..BBBBccccccccccBBBB..",
    "..BBBnnnnnnnnnnnnBBB..",
    "...BBBnnnnnnnnnnBBB...",
    ".....BBnnnnnnnnBB.....",
    "......................",
};

const char *const iconXpm[] = {
    "32 32 5 1", PARKING_LEGEND,
    "................................",
    "......RRRRRRRR......RRRRRRR.....",
    "......BBBBBBBB......BBBBBBB.....",
    ".....BBBBBBBBBBBBBBBBBBBBBBBB...",
    "...BBBBBBcccccccccccccccBBBBBB..",
    "..BBBBBBccccccccccccccccccBBBBB.",
    "..nBBBBBccccccccccccccccccBBBBn.",
    "..nBBBBBBnnnnnnnnnnnnnnnBBBBBBn.",
    "..nBBcccnnnBBBBBBBBBBBBnnncccBn.",
    "..ncccccnBBBBBBBBBBBBBBBnnccccn.",
    "..ncccccnBBBBBBBBBBBBBBBnnccccn.",
    "..ncccccnBBBBBBBBBBBBBBBnnccccn.",
    "..BcccccnBBBBBBBBBBBBBBBnnccccB.",
    "..BcccccnBBBBBBBBBBBBBBBnnccccB.",
    "..BBBcccnBBBBBBBBBBBBBBBnncccBB.",
    "..BBBBBBnBBBBBBBBBBBBBBBnnBBBBB.",
    "..BBBBBBnBBBBBBBBBBBBBBBnnBBBBB.",
    "..BBBcccnBBBBBBBBBBBBBBBnncccBB.",
    "..BcccccnBBBBBBBBBBBBBBBnnccccB.",
    "..BcccccnBBBBBBBBBBBBBBBnnccccB.",
    "..ncccccnBBBBBBBBBBBBBBBnnccccn.",
    "..ncccccnBBBBBBBBBBBBBBBnnccccn.",
    "..ncccccnBBBBBBBBBBBBBBBnnccccn.",
    "..nBBcccnnnBBBBBBBBBBBBnnncccBn.",
    "..nBBBBBBnnnnnnnnnnnnnnnBBBBBBn.",
    "..nBBBBBccccccccccccccccccBBBBn.",
    "..BBBBBBccccccccccccccccccBBBBB.",
    "...BBBBBBcccccccccccccccBBBBBB..",
    "...BBBBBnnnnnnnnnnnnnnnnnnBBBB..",
    ".....BBBBnnnnnnnnnnnnnnnBBBBB...",
    "........BBBnnnnnnnnnnnnBBB......",
    "................................",
};
// clang-format on

#undef PARKING_LEGEND

struct Pip
{
    int left, top;
};

struct FaceGeometry
{
    int width, height;
    std::array<Pip, 6> pips;
    int count;
};

// Top-left corner of the square holding each pip.
const FaceGeometry faces[] = {
    {32, 32, {{{12, 12}}}, 1},
    {31, 31, {{{20, 4}, {4, 20}}}, 2},
    {31, 31, {{{20, 4}, {4, 20}, {12, 12}}}, 3},
    {31, 31, {{{4, 4}, {20, 4}, {4, 20}, {20, 20}}}, 4},
    {31, 31, {{{4, 4}, {20, 4}, {4, 20}, {20, 20}, {12, 12}}}, 5},
    {32, 33, {{{6, 4}, {19, 4}, {6, 13}, {19, 13}, {6, 22}, {19, 22}}}, 6},
};

// Row lengths of the round dots, top row first; each row is centred.
constexpr std::array blackPipRows = {3, 5, 7, 7, 7, 5, 3};
constexpr std::array redPipRows = {4, 6, 8, 8, 8, 8, 6, 4};

template <std::size_t N> void drawDot(QImage &image, Pip at, const std::array<int, N> &rows, QRgb colour)
{
    const int diameter = static_cast<int>(N);
    for (int row = 0; row < diameter; ++row) {
        const int inset = (diameter - rows[row]) / 2;
        for (int column = inset; column < inset + rows[row]; ++column)
            image.setPixel(at.left + column, at.top + row, colour);
    }
}

} // namespace

QImage carImage() { return QImage(carXpm).convertToFormat(QImage::Format_RGB32); }

QImage iconImage() { return QImage(iconXpm).convertToFormat(QImage::Format_RGB32); }

QImage dieFaceImage(int pips)
{
    if (pips < 1 || pips > 6)
        throw std::out_of_range("a die face has 1 to 6 pips");
    const FaceGeometry &face = faces[pips - 1];
    QImage image(face.width, face.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int i = 0; i < face.count; ++i) {
        if (pips == 1)
            drawDot(image, face.pips[i], redPipRows, qRgb(255, 0, 0));
        else
            drawDot(image, face.pips[i], blackPipRows, qRgb(0, 0, 0));
    }
    return image;
}

QPixmap carPixmap() { return QPixmap::fromImage(carImage()); }

QPixmap dieFacePixmap(int pips) { return QPixmap::fromImage(dieFaceImage(pips)); }

QIcon programIcon()
{
    // The double size, the same map scaled by whole pixels, serves screens
    // scaled by 2; larger icons are the desktop's, installed as files.
    QIcon icon;
    const QImage image = iconImage();
    for (int factor : {1, 2})
        icon.addPixmap(QPixmap::fromImage(
            image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    return icon;
}
