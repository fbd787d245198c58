#include "files/ShareLink.h"

#include <lzma.h>

#include <QByteArray>
#include <cstdint>
#include <vector>

#include "files/MsgPack.h"
#include "i18n/TtlmController.h"

namespace {

std::string BadLink(const std::string& why) {
  return Tr("RayOptics.BadLink", "这个分享链接无法解码,不能导入.") + " (" + why + ")";
}

bool Decompress(const QByteArray& in, std::vector<std::uint8_t>& out, std::string& error) {
  lzma_stream strm = LZMA_STREAM_INIT;
  if (lzma_alone_decoder(&strm, ShareLink::kMemoryLimit) != LZMA_OK) {
    error = BadLink("lzma");
    return false;
  }
  strm.next_in = reinterpret_cast<const std::uint8_t*>(in.constData());
  strm.avail_in = std::size_t(in.size());
  std::uint8_t buffer[1 << 16];
  lzma_ret ret = LZMA_OK;
  while (ret == LZMA_OK) {
    strm.next_out = buffer;
    strm.avail_out = sizeof buffer;
    // Without more input the stream is cut short: LZMA_FINISH says so.
    ret = lzma_code(&strm, LZMA_FINISH);
    const std::size_t produced = sizeof buffer - strm.avail_out;
    if (out.size() + produced > ShareLink::kMaxSceneBytes) {
      lzma_end(&strm);
      error = BadLink("scene larger than 16 MB");
      return false;
    }
    out.insert(out.end(), buffer, buffer + produced);
  }
  lzma_end(&strm);
  if (ret != LZMA_STREAM_END) {
    error = BadLink(ret == LZMA_MEMLIMIT_ERROR ? "needs too much memory"
                    : ret == LZMA_BUF_ERROR    ? "cut short"
                                               : "damaged data");
    return false;
  }
  return true;
}

}  // namespace

bool ShareLink::IsLink(const std::string& text) {
  return text.rfind("http://", 0) == 0 || text.rfind("https://", 0) == 0 || text.rfind("#", 0) == 0;
}

bool ShareLink::Decode(const std::string& link, QJsonValue& scene, std::string& error) {
  if (link.size() > kMaxLinkLength) {
    error = BadLink("link too long");
    return false;
  }
  const auto hash = link.find('#');
  QByteArray text =
      QByteArray::fromStdString(hash == std::string::npos ? link : link.substr(hash + 1)).trimmed();
  const auto decoded = QByteArray::fromBase64Encoding(
      text, QByteArray::Base64UrlEncoding | QByteArray::AbortOnBase64DecodingErrors);
  if (!decoded || decoded.decoded.isEmpty()) {
    error = BadLink("not base64");
    return false;
  }
  std::vector<std::uint8_t> packed;
  if (!Decompress(decoded.decoded, packed, error)) return false;
  std::string why;
  if (!MsgPack::Decode(packed, scene, why)) {
    error = BadLink(why);
    return false;
  }
  return true;
}

std::string ShareLink::Encode(const QJsonValue& scene) {
  const std::vector<std::uint8_t> packed = MsgPack::Encode(scene);
  lzma_options_lzma options;
  lzma_lzma_preset(&options, 6);
  lzma_stream strm = LZMA_STREAM_INIT;
  if (lzma_alone_encoder(&strm, &options) != LZMA_OK) return {};
  strm.next_in = packed.data();
  strm.avail_in = packed.size();
  QByteArray out;
  std::uint8_t buffer[1 << 16];
  lzma_ret ret = LZMA_OK;
  while (ret == LZMA_OK) {
    strm.next_out = buffer;
    strm.avail_out = sizeof buffer;
    ret = lzma_code(&strm, LZMA_FINISH);
    out.append(reinterpret_cast<const char*>(buffer), qsizetype(sizeof buffer - strm.avail_out));
  }
  lzma_end(&strm);
  if (ret != LZMA_STREAM_END) return {};
  return out.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals).toStdString();
}
