// keycaps OUTPUT.png
//
// Draws the key caps of the keyboard picture: white keys with black outlines
// on light grey 0xE0E0E0, no letters (the program writes them at start-up).
// The keys are laid out from the key table: the records of one row form two
// blocks (left hand, right hand) split at the widest gap, and each block is a
// run of keys at a 48-pixel pitch starting 3 pixels left of and 6 above its
// first key's marking box. Every key's marking box (37 x 39 at x, y) and the
// letter written at (x + 7, y - 4), breve and descender included (24 x 46 at
// x + 7, y - 5), must lie on the white face of its key; the program refuses
// to write a picture where they do not.
#include <QImage>
#include <QRect>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

#include "keytable.h"

namespace {

constexpr int pictureWidth = 601;
constexpr int pictureHeight = 151;
constexpr QRgb ground = 0xFFE0E0E0;
constexpr QRgb outline = 0xFF000000;
constexpr QRgb face = 0xFFFFFFFF;

constexpr int pitch = 48;
constexpr int keyWidth = 44;  // outline included
constexpr int keyHeight = 48;
constexpr int marginLeft = 3;  // from a key's left outline to the first key's marking box
constexpr int marginTop = 6;   // the top row's caps start at the picture's first row

// The marking box and what the letters paint relative to the key's (x, y):
// "Courier New" bold 40 px advances 24; written from 4 above the box, its
// ink reaches from the breve of Й one row higher to the tails of Ц, Щ and Д
// 40 rows lower.
const QRect markBox(0, 0, 37, 39);
const QRect letterCell(7, -5, 24, 46);

struct Key {
    const KeyRecord* record;
    QRect box;  // outline included
};

QRect whiteFace(const QRect& box)
{
    return box.adjusted(1, 1, -1, -1);
}

std::vector<Key> layOutKeys()
{
    std::map<int32_t, std::vector<const KeyRecord*>> rows;
    for (size_t i = 1; i < KeyTable.size(); ++i)  // record 0, the space bar, shares record 1's key
        rows[KeyTable[i].y].push_back(&KeyTable[i]);

    std::vector<Key> keys;
    for (auto& [y, row] : rows) {
        std::sort(row.begin(), row.end(), [](const KeyRecord* a, const KeyRecord* b) { return a->x < b->x; });
        size_t split = 1;
        for (size_t i = 1; i < row.size(); ++i) {
            if (row[i]->x - row[i - 1]->x > row[split]->x - row[split - 1]->x)
                split = i;
        }
        for (size_t i = 0; i < row.size(); ++i) {
            const size_t first = i < split ? 0 : split;
            const int left = row[first]->x - marginLeft + int(i - first) * pitch;
            keys.push_back({row[i], QRect(left, y - marginTop, keyWidth, keyHeight)});
        }
    }
    return keys;
}

bool checkLayout(const std::vector<Key>& keys)
{
    bool good = true;
    for (const Key& key : keys) {
        const QPoint at(key.record->x, key.record->y);
        const QRect face = whiteFace(key.box);
        if (!QRect(0, 0, pictureWidth, pictureHeight).contains(key.box) || !face.contains(markBox.translated(at))
            || !face.contains(letterCell.translated(at))) {
            std::fprintf(stderr, "keycaps: the key of \"%s\" at (%d, %d) does not hold its marking box and letter\n",
                         qPrintable(QString(QChar(key.record->letter))), key.record->x, key.record->y);
            good = false;
        }
        for (const Key& other : keys) {
            if (&other != &key && other.box.intersects(key.box)) {
                std::fprintf(stderr, "keycaps: the keys of \"%s\" and \"%s\" overlap\n",
                             qPrintable(QString(QChar(key.record->letter))),
                             qPrintable(QString(QChar(other.record->letter))));
                good = false;
            }
        }
    }
    return good;
}

QImage drawKeys(const std::vector<Key>& keys)
{
    QImage picture(pictureWidth, pictureHeight, QImage::Format_RGB32);
    picture.fill(ground);
    for (const Key& key : keys) {
        const QRect& box = key.box;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                const bool edgeX = x == box.left() || x == box.right();
                const bool edgeY = y == box.top() || y == box.bottom();
                if (edgeX && edgeY)
                    continue;  // the corners stay grey: slightly rounded caps
                picture.setPixel(x, y, edgeX || edgeY ? outline : face);
            }
        }
    }
    return picture.convertToFormat(QImage::Format_RGB888);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: keycaps OUTPUT.png\n");
        return 2;
    }
    const std::vector<Key> keys = layOutKeys();
    if (!checkLayout(keys))
        return 1;
    if (!drawKeys(keys).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "keycaps: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
