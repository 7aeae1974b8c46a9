#include "Resources.h"
#include "resource.h"

QString loadString(int id)
{
    switch (id) {
    case IDS_ABOUTBOX:
        return QStringLiteral("关于 Orvanel(&A)...");
    default:
        return {};
    }
}
