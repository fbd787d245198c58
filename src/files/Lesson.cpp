#include "files/Lesson.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

namespace {

std::string PinDigest(const std::string& salt, const std::string& pin) {
  QCryptographicHash hash(QCryptographicHash::Sha256);
  hash.addData(QByteArray::fromStdString(salt));
  hash.addData(QByteArray::fromStdString(pin));
  return hash.result().toHex().toStdString();
}

}  // namespace

void Lesson::SetPin(const std::string& pin) {
  if (pin.empty()) {
    pinSalt.clear();
    pinHash.clear();
    return;
  }
  QByteArray salt(16, '\0');
  for (char& c : salt) c = char(QRandomGenerator::system()->bounded(256));
  pinSalt = salt.toHex().toStdString();
  pinHash = PinDigest(pinSalt, pin);
}

bool Lesson::PinMatches(const std::string& pin) const {
  return pinHash.empty() || PinDigest(pinSalt, pin) == pinHash;
}
