#include "onlinecheck.h"

#include <QNetworkInformation>

namespace OnlineCheck {

bool isOnline()
{
    if (!QNetworkInformation::instance() &&
        !QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
        return true; // no way to tell: do not keep the help away
    const auto reachability = QNetworkInformation::instance()->reachability();
    return reachability == QNetworkInformation::Reachability::Online ||
           reachability == QNetworkInformation::Reachability::Unknown;
}

} // namespace OnlineCheck
