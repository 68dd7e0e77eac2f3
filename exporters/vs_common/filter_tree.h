#ifndef QEV_EXPORTERS_VS_COMMON_FILTER_TREE_H_
#define QEV_EXPORTERS_VS_COMMON_FILTER_TREE_H_

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The Filter elements of a project file: one tree per file group, whose
// sub-filters follow the directory components of each file's path below its
// root, while the file itself is listed by its full path.

// One node of the tree of a file group.
struct FilterNode {
  FilterNode(std::string name, int depth);
  ~FilterNode();
  FilterNode(const FilterNode&) = delete;
  FilterNode& operator=(const FilterNode&) = delete;

  // The group name (root node) or one directory component.
  std::string name;
  // Sub-filters in insertion order.
  std::vector<std::unique_ptr<FilterNode>> children;
  // The full paths of the files filed here; they stay owned by the model.
  std::vector<const std::string*> files;
  // 0 for the root node of a group, parent's depth + 1 below it.
  int depth;

  // Child of each name, so that a wide directory is filled in linear time.
  std::unordered_map<std::string, FilterNode*> childIndex;
};

// Files `fullPath` under `node`, in the sub-filter that the directory
// components of `path` (split at "/", taken literally, "." and "" included)
// name, creating the sub-filters that are missing. `fullPath` must outlive
// the tree.
void InsertFile(FilterNode* node,
                std::string_view path,
                const std::string& fullPath);

// Appends the Filter element of `node` with its sub-filters first, in
// insertion order, then its files sorted by ComparePathsNoCase, each with
// "/" turned into "\". Names and paths are escaped for an attribute.
void WriteFilter(const FilterNode& node, std::string* out);

// Orders two paths ignoring ASCII letter case, comparing characters as signed
// 8-bit values (so bytes from 128 up sort before ASCII). When one path is,
// ignoring case, a prefix of the other, the shorter comes first; paths equal
// ignoring case are ordered by their bytes. Returns -1, 0 or 1.
int ComparePathsNoCase(std::string_view a, std::string_view b);

#endif  // QEV_EXPORTERS_VS_COMMON_FILTER_TREE_H_
