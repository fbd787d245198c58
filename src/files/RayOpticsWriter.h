#pragma once
// Writes an experiment as a Ray Optics Simulation scene (data version 5):
// every object the peer has becomes the peer's type, with our pixels as its
// coordinates; what it lacks is named, never dropped silently. The mapping is
// the importer's (RayOpticsMapper) read backward, so that importing an export
// gives the same objects back.

#include <QJsonObject>
#include <map>
#include <string>
#include <vector>

class Document;
class DrawObjectUnit;

class RayOpticsWriter {
 public:
  explicit RayOpticsWriter(const Document& document);

  // The scene; `leftOut` then holds class name -> count of what has no peer.
  QJsonObject Scene();
  std::map<std::string, int> leftOut;

  // The experiment written to `path` ("-" is not handled here) as indented
  // JSON; false with the system's reason when it cannot be written.
  // `messages` gets the list of what was left out, if anything was.
  static bool Save(const Document& document, const std::string& path, std::string& error,
                   std::vector<std::string>& messages);
  // The same as bytes, for standard output.
  static QByteArray Bytes(const Document& document, std::vector<std::string>& messages);
  // "以下对象没有导出: …" for a non-empty list.
  static std::string LeftOutMessage(const std::map<std::string, int>& leftOut);

 private:
  bool Write(DrawObjectUnit* object);
  // The importer's two-sided mirrors (two back to back, 1 px apart) are
  // written as one; the second is skipped.
  bool MirrorPair(DrawObjectUnit* a, DrawObjectUnit* b);
  bool ArcPair(DrawObjectUnit* a, DrawObjectUnit* b);

  const Document& document_;
  std::vector<QJsonObject> objs_;
  double density_ = 0.1;
};
