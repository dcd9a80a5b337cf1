#pragma once
#include <QIcon>

// The three 16 x 16 images of the tree's status column.
namespace SuttaTreeIcons {

QIcon Favourite();        // a yellow-orange star
QIcon OtherTranslation(); // an open book
QIcon Both();             // the open book with the star

// The image of a FAV_SUTTA value: 1 star, 2 book and star, 3 book, else none.
QIcon ForStatus(int fav);

} // namespace SuttaTreeIcons
