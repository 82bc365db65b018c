#include "run/ItemList.h"

namespace run {

int countChecked(const ItemList& list) {
    int n = 0;
    for (int i = 0; i < list.rowCount(); ++i) n += list.row(i).checked ? 1 : 0;
    return n;
}

}  // namespace run
