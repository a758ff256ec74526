#include "core/version_info.h"

#include <algorithm>

namespace mirel {

namespace {

constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;

// One node of the resource's tree: length, value length, type, key, value, children;
// every part starts on a four-byte boundary.
struct Node {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::u16string key;
  std::size_t valueBegin = 0;
  std::size_t valueEnd = 0;
  std::size_t childrenBegin = 0;
};

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint16_t U16(std::size_t at) const {
    return at + 2 <= size_ ? static_cast<std::uint16_t>(data_[at] | data_[at + 1] << 8) : 0;
  }
  std::uint32_t U32(std::size_t at) const { return U16(at) | static_cast<std::uint32_t>(U16(at + 2)) << 16; }

  // Text up to its terminator or `end`, whichever comes first; `next` after the terminator.
  std::u16string Text(std::size_t at, std::size_t end, std::size_t& next) const {
    std::u16string text;
    while (at + 2 <= end) {
      const char16_t c = static_cast<char16_t>(U16(at));
      at += 2;
      if (c == 0) break;
      text += c;
    }
    next = at;
    return text;
  }

  std::optional<Node> At(std::size_t at, std::size_t limit) const {
    const std::uint16_t length = U16(at);
    if (length < 6 || at + length > limit || at + length > size_) return std::nullopt;
    Node node;
    node.begin = at;
    node.end = at + length;
    const std::uint16_t valueLength = U16(at + 2);
    const bool text = U16(at + 4) == 1;
    std::size_t afterKey = 0;
    node.key = Text(at + 6, node.end, afterKey);
    node.valueBegin = Align(afterKey);
    // A text value's length counts characters (some compilers write bytes): the text
    // ends at its terminator either way.
    const std::size_t valueBytes = text ? static_cast<std::size_t>(valueLength) * 2 : valueLength;
    node.valueEnd = std::min(node.valueBegin + valueBytes, node.end);
    node.childrenBegin = std::min(Align(node.valueEnd), node.end);
    return node;
  }

  static std::size_t Align(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

template <typename Visit>
void ForEachChild(const Reader& reader, const Node& parent, Visit visit) {
  std::size_t at = parent.childrenBegin;
  while (at < parent.end) {
    const auto child = reader.At(at, parent.end);
    if (!child) return;
    visit(*child);
    at = Reader::Align(child->end);
  }
}

}  // namespace

std::optional<VersionInfo> ParseVersionResource(const std::uint8_t* data, std::size_t size) {
  if (!data) return std::nullopt;
  const Reader reader(data, size);
  const auto root = reader.At(0, size);
  if (!root || root->key != u"VS_VERSION_INFO" || root->valueEnd - root->valueBegin < 52 ||
      reader.U32(root->valueBegin) != kFixedInfoSignature)
    return std::nullopt;
  VersionInfo info;
  const std::uint32_t fileVersionHigh = reader.U32(root->valueBegin + 8);
  info.major = static_cast<int>(fileVersionHigh >> 16);
  info.minor = static_cast<int>(fileVersionHigh & 0xFFFF);
  ForEachChild(reader, *root, [&](const Node& block) {
    if (block.key != u"StringFileInfo") return;
    ForEachChild(reader, block, [&](const Node& table) {
      ForEachChild(reader, table, [&](const Node& entry) {
        std::size_t next = 0;
        const std::u16string value = reader.Text(entry.valueBegin, entry.end, next);
        if (entry.key == u"LegalCopyright" && info.copyright.empty()) info.copyright = value;
        if (entry.key == u"ProductName" && info.productName.empty()) info.productName = value;
      });
    });
  });
  return info;
}

std::u16string VersionText(const VersionInfo& info) {
  const auto number = [](int n) {
    std::u16string digits;
    const std::string ascii = std::to_string(n);
    digits.assign(ascii.begin(), ascii.end());
    return digits;
  };
  const std::u16string title = info.productName.empty() ? u"Mirel" : info.productName;
  return title + u" ver " + number(info.major) + u"." + number(info.minor);
}

}  // namespace mirel
