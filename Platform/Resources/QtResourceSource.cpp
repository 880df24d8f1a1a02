#include "Platform/Resources/QtResourceSource.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace Platform::Resources {

bool QtResourceSource::Read(std::string_view type, std::string_view name, std::string& bytes) const {
  const QString path = QStringLiteral(":/") + QString::fromUtf8(type.data(), static_cast<qsizetype>(type.size())) +
                       QLatin1Char('/') + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray contents = file.readAll();
  bytes.assign(contents.constData(), static_cast<size_t>(contents.size()));
  return true;
}

}  // namespace Platform::Resources
