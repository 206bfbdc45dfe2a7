#pragma once

// All record files, in the order in which they are registered at start-up: the sixteen of the
// costing and order program, then the shop's own data, the customers' e-invoice data, the
// issued documents and the money that comes back on them.
#include "store/files/anach.h"
#include "store/files/arbeit.h"
#include "store/files/asatz.h"
#include "store/files/atran.h"
#include "store/files/aufpap.h"
#include "store/files/auftrag.h"
#include "store/files/beleg.h"
#include "store/files/drucktem.h"
#include "store/files/firma.h"
#include "store/files/kaldruck.h"
#include "store/files/kunde.h"
#include "store/files/kundeer.h"
#include "store/files/lieferant.h"
#include "store/files/maschin.h"
#include "store/files/papier.h"
#include "store/files/posten.h"
#include "store/files/satz.h"
#include "store/files/stamm.h"
#include "store/files/text.h"
#include "store/files/transport.h"
#include "store/files/zahlung.h"
