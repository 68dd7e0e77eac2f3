#ifndef QEV_MODEL_SPLIT_ITEMS_H_
#define QEV_MODEL_SPLIT_ITEMS_H_

#include <string>
#include <string_view>
#include <vector>

// Splits an element's text into items at white space. An item that starts
// with a double quote runs to the next double quote (or the end) and may
// hold blanks; whatever follows a closing quote up to the next white space is
// dropped. Empty items are left out.
std::vector<std::string> SplitItems(std::string_view text);

#endif  // QEV_MODEL_SPLIT_ITEMS_H_
