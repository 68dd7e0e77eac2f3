#include "exporters/vs_common/filter_tree.h"

#include <algorithm>

#include "base/path.h"
#include "base/text.h"
#include "exporters/vs_common/xml_escape.h"

FilterNode::FilterNode(std::string name, int depth)
    : name(std::move(name)), depth(depth) {}

FilterNode::~FilterNode() {
  // Tear deep trees down without recursion: a path with very many
  // components must not exhaust the stack.
  std::vector<std::unique_ptr<FilterNode>> pending = std::move(children);
  while (!pending.empty()) {
    std::unique_ptr<FilterNode> node = std::move(pending.back());
    pending.pop_back();
    for (auto& child : node->children)
      pending.push_back(std::move(child));
    node->children.clear();
  }
}

void InsertFile(FilterNode* node,
                std::string_view path,
                const std::string& fullPath) {
  const std::vector<std::string_view> pieces = SplitAtSlashes(path);
  for (size_t i = 0; i + 1 < pieces.size(); ++i) {
    std::string component(pieces[i]);
    auto found = node->childIndex.find(component);
    FilterNode* child;
    if (found != node->childIndex.end()) {
      child = found->second;
    } else {
      node->children.push_back(
          std::make_unique<FilterNode>(component, node->depth + 1));
      child = node->children.back().get();
      node->childIndex.emplace(std::move(component), child);
    }
    node = child;
  }
  node->files.push_back(&fullPath);
}

int ComparePathsNoCase(std::string_view a, std::string_view b) {
  size_t common = std::min(a.size(), b.size());
  // Equal bytes are equal in any case: start at the first byte that differs.
  size_t start = static_cast<size_t>(
      std::mismatch(a.begin(), a.begin() + common, b.begin()).first -
      a.begin());
  for (size_t i = start; i < common; ++i) {
    signed char x = static_cast<signed char>(ToLowerAscii(a[i]));
    signed char y = static_cast<signed char>(ToLowerAscii(b[i]));
    if (x != y)
      return x > y ? 1 : -1;
  }
  if (a.size() != b.size())
    return a.size() > b.size() ? 1 : -1;
  int bytes = a.compare(b);
  return bytes > 0 ? 1 : (bytes < 0 ? -1 : 0);
}

namespace {

void AppendIndent(int depth, std::string* out) {
  out->append(static_cast<size_t>(depth) * 2, ' ');
}

void OpenFilter(const FilterNode& node, std::string* out) {
  AppendIndent(node.depth, out);
  out->append("  <Filter Name=\"");
  AppendXmlEscaped(node.name, out);
  out->append("\" Filter=\"\">\n");
}

void CloseFilter(const FilterNode& node, std::string* out) {
  std::vector<const std::string*> files = node.files;
  auto less = [](const std::string* a, const std::string* b) {
    return ComparePathsNoCase(*a, *b) < 0;
  };
  // Files found by one pattern mostly arrive in order already.
  if (!std::is_sorted(files.begin(), files.end(), less))
    std::sort(files.begin(), files.end(), less);
  std::string windows_path;
  for (const std::string* file : files) {
    windows_path = BackSlashes(*file);
    AppendIndent(node.depth, out);
    out->append("    <File RelativePath=\"");
    AppendXmlEscaped(windows_path, out);
    out->append("\"/>\n");
  }
  AppendIndent(node.depth, out);
  out->append("  </Filter>\n");
}

}  // namespace

void WriteFilter(const FilterNode& node, std::string* out) {
  // Depth-first with an explicit stack, so deep trees need no deep recursion.
  struct Visit {
    const FilterNode* node;
    size_t next_child;
  };
  std::vector<Visit> stack;
  OpenFilter(node, out);
  stack.push_back({&node, 0});
  while (!stack.empty()) {
    Visit& top = stack.back();
    if (top.next_child < top.node->children.size()) {
      const FilterNode* child = top.node->children[top.next_child++].get();
      OpenFilter(*child, out);
      stack.push_back({child, 0});
      continue;
    }
    CloseFilter(*top.node, out);
    stack.pop_back();
  }
}
