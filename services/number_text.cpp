#include "services/number_text.h"

#include "services/number_text_algorithm.h"

namespace hostlix {

Number TextToNumber(std::string_view text) { return TextToNumberIn<Number>(text); }

}  // namespace hostlix
