#include "files/MsgPack.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <bit>
#include <cmath>
#include <cstring>

namespace {

class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> data) : data_(data) {}

  bool Value(QJsonValue& out, int depth) {
    if (depth > MsgPack::kMaxDepth) return Fail("nested too deeply");
    if (++values_ > MsgPack::kMaxValues) return Fail("too many values");
    std::uint64_t b = 0;
    if (!Unsigned(1, b)) return false;
    if (b <= 0x7f) return Set(out, double(b));
    if (b >= 0xe0) return Set(out, double(std::int8_t(b)));
    if (b >= 0x80 && b <= 0x8f) return Map(out, b & 0x0f, depth);
    if (b >= 0x90 && b <= 0x9f) return Array(out, b & 0x0f, depth);
    if (b >= 0xa0 && b <= 0xbf) return Text(out, b & 0x1f);
    std::uint64_t n = 0;
    switch (b) {
      case 0xc0:
        out = QJsonValue(QJsonValue::Null);
        return true;
      case 0xc2:
        out = false;
        return true;
      case 0xc3:
        out = true;
        return true;
      case 0xca: {
        if (!Unsigned(4, n)) return false;
        return Set(out, double(std::bit_cast<float>(std::uint32_t(n))));
      }
      case 0xcb: {
        if (!Unsigned(8, n)) return false;
        return Set(out, std::bit_cast<double>(n));
      }
      case 0xcc:
      case 0xcd:
      case 0xce:
      case 0xcf:
        if (!Unsigned(std::size_t(1) << (b - 0xcc), n)) return false;
        return Set(out, double(n));
      case 0xd0:
      case 0xd1:
      case 0xd2:
      case 0xd3: {
        const std::size_t size = std::size_t(1) << (b - 0xd0);
        if (!Unsigned(size, n)) return false;
        const unsigned shift = unsigned(64 - 8 * size);
        return Set(out, double(std::int64_t(n << shift) >> shift));
      }
      case 0xd9:
      case 0xda:
      case 0xdb:
        if (!Unsigned(std::size_t(1) << (b - 0xd9), n)) return false;
        return Text(out, n);
      case 0xdc:
      case 0xdd:
        if (!Unsigned(b == 0xdc ? 2 : 4, n)) return false;
        return Array(out, n, depth);
      case 0xde:
      case 0xdf:
        if (!Unsigned(b == 0xde ? 2 : 4, n)) return false;
        return Map(out, n, depth);
      default:
        return Fail("unsupported MessagePack type");
    }
  }

  bool AtEnd() const { return pos_ == data_.size(); }
  const std::string& Error() const { return error_; }

 private:
  bool Fail(const char* what) {
    if (error_.empty()) error_ = what;
    return false;
  }
  bool Unsigned(std::size_t bytes, std::uint64_t& out) {
    if (data_.size() - pos_ < bytes) return Fail("cut short");
    out = 0;
    for (std::size_t i = 0; i < bytes; ++i) out = (out << 8) | data_[pos_++];
    return true;
  }
  static bool Set(QJsonValue& out, double v) {
    out = v;
    return true;
  }
  bool Text(QJsonValue& out, std::uint64_t length) {
    if (length > data_.size() - pos_) return Fail("cut short");
    out = QString::fromUtf8(reinterpret_cast<const char*>(data_.data() + pos_), qsizetype(length));
    pos_ += length;
    return true;
  }
  // Every element takes at least one byte: a count beyond the rest is damage.
  bool Array(QJsonValue& out, std::uint64_t count, int depth) {
    if (count > data_.size() - pos_) return Fail("cut short");
    QJsonArray array;
    for (std::uint64_t i = 0; i < count; ++i) {
      QJsonValue v;
      if (!Value(v, depth + 1)) return false;
      array.append(v);
    }
    out = array;
    return true;
  }
  bool Map(QJsonValue& out, std::uint64_t count, int depth) {
    if (count > (data_.size() - pos_) / 2) return Fail("cut short");
    QJsonObject object;
    for (std::uint64_t i = 0; i < count; ++i) {
      QJsonValue key, v;
      if (!Value(key, depth + 1)) return false;
      if (!key.isString()) return Fail("map key is not a text");
      if (!Value(v, depth + 1)) return false;
      object.insert(key.toString(), v);
    }
    out = object;
    return true;
  }

  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
  std::size_t values_ = 0;
  std::string error_;
};

void Put(std::vector<std::uint8_t>& out, std::uint8_t tag, std::uint64_t v, int bytes) {
  out.push_back(tag);
  for (int i = bytes - 1; i >= 0; --i) out.push_back(std::uint8_t(v >> (8 * i)));
}

void Length(std::vector<std::uint8_t>& out, std::uint64_t n, std::uint8_t fix, int fixBits,
            std::uint8_t tag16) {
  if (n < (1u << fixBits))
    out.push_back(std::uint8_t(fix | n));
  else if (n <= 0xffff)
    Put(out, tag16, n, 2);
  else
    Put(out, std::uint8_t(tag16 + 1), n, 4);
}

void EncodeInto(std::vector<std::uint8_t>& out, const QJsonValue& v) {
  if (v.isBool()) {
    out.push_back(v.toBool() ? 0xc3 : 0xc2);
  } else if (v.isDouble()) {
    const double d = v.toDouble();
    if (d == std::floor(d) && std::abs(d) < 4e18) {
      const auto i = static_cast<std::int64_t>(d);
      if (i >= 0 && i <= 0x7f)
        out.push_back(std::uint8_t(i));
      else if (i < 0 && i >= -32)
        out.push_back(std::uint8_t(std::int8_t(i)));
      else if (i >= 0)
        Put(out, 0xcf, std::uint64_t(i), 8);
      else
        Put(out, 0xd3, std::uint64_t(i), 8);
    } else {
      Put(out, 0xcb, std::bit_cast<std::uint64_t>(d), 8);
    }
  } else if (v.isString()) {
    const QByteArray text = v.toString().toUtf8();
    const auto n = std::uint64_t(text.size());
    if (n < 32)
      out.push_back(std::uint8_t(0xa0 | n));
    else if (n <= 0xff)
      Put(out, 0xd9, n, 1);
    else
      Length(out, n, 0xa0, 5, 0xda);
    out.insert(out.end(), text.begin(), text.end());
  } else if (v.isArray()) {
    const QJsonArray a = v.toArray();
    Length(out, std::uint64_t(a.size()), 0x90, 4, 0xdc);
    for (const QJsonValue& e : a) EncodeInto(out, e);
  } else if (v.isObject()) {
    const QJsonObject o = v.toObject();
    Length(out, std::uint64_t(o.size()), 0x80, 4, 0xde);
    for (auto it = o.begin(); it != o.end(); ++it) {
      EncodeInto(out, it.key());
      EncodeInto(out, it.value());
    }
  } else {
    out.push_back(0xc0);
  }
}

}  // namespace

bool MsgPack::Decode(std::span<const std::uint8_t> data, QJsonValue& value, std::string& error) {
  Reader reader(data);
  if (!reader.Value(value, 0)) {
    error = reader.Error();
    return false;
  }
  if (!reader.AtEnd()) {
    error = "data after the value";
    return false;
  }
  return true;
}

std::vector<std::uint8_t> MsgPack::Encode(const QJsonValue& value) {
  std::vector<std::uint8_t> out;
  EncodeInto(out, value);
  return out;
}
