// Which default gateway becomes the router's address: the rule that picks
// one adapter's gateway from the adapter list.
#pragma once

#include "net/IPFunctions.h"

#include <QString>

#include <functional>
#include <string_view>

// The gateway the adapter list names as the router's: that of the last
// adapter of type Other, even when it has none; when that is empty, the
// last non-empty gateway of any adapter ("0.0.0.0" counts). Empty when no
// adapter has one. A gateway's text ends at its first NUL.
QString ChooseGateway(const TAdapterList& adapters);

// Kept for the form's completeness: a model whose router always answers at
// one fixed address, so no adapter is asked. This program is built for
// another model and never takes that branch.
inline constexpr std::string_view FixedAddressModel = "WSG-120";
inline constexpr std::string_view FixedRouterAddress = "192.168.229.61";

// The router address for routerModel: the fixed address for the model that
// has one, otherwise ChooseGateway over the adapters the query returns.
// onStep runs once before the query and once per adapter, where the window
// steps its progress bar. A failed query throws (see GetAdapters).
QString ChooseRouterAddress(std::string_view routerModel, IAdapterQuery& query, const std::function<void()>& onStep);
