// One service reaching into another beside it.
#include "app/EditionData.h"
#include "mail/SmtpClient.h"
