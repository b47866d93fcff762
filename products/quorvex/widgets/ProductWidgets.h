// The widgets the four product editors share, beside the framework's
// standard ones.
#pragma once

#include "products/quorvex/widgets/ICycleSwitchWidget.h"
#include "products/quorvex/widgets/IDetentKnobWidget.h"
#include "products/quorvex/widgets/IGlowLampWidget.h"
#include "products/quorvex/widgets/IMomentaryButtonWidget.h"
#include "products/quorvex/widgets/IMotorKnobWidget.h"
#include "products/quorvex/widgets/INeedleWidget.h"
#include "products/quorvex/widgets/IPositionSwitchWidget.h"
#include "products/quorvex/widgets/IShapeSelectorWidget.h"
#include "products/quorvex/widgets/ISyncRateKnobWidget.h"
#include "products/quorvex/widgets/IVersionDigitsWidget.h"
#include "products/quorvex/widgets/ManualLink.h"
