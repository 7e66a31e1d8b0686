#include "net/GatewayChoice.h"

QString ChooseGateway(const TAdapterList& adapters)
{
    QString last, preferred;
    for (const TAdapterInfo& adapter : adapters) {
        const QString current = QString::fromLatin1(adapter.GatewayAddress.c_str());  // text ends at a NUL
        if (!current.isEmpty())
            last = current;
        if (adapter.Type == IfType::Other)
            preferred = current;
    }
    return !preferred.isEmpty() ? preferred : last;
}

QString ChooseRouterAddress(std::string_view routerModel, IAdapterQuery& query, const std::function<void()>& onStep)
{
    if (routerModel == FixedAddressModel)  // never true in this build: kept for the form's completeness
        return QString::fromLatin1(FixedRouterAddress.data(), static_cast<qsizetype>(FixedRouterAddress.size()));
    onStep();
    const TAdapterList adapters = GetAdapters(query);
    for (std::size_t i = 0; i < adapters.size(); ++i)
        onStep();
    return ChooseGateway(adapters);
}
