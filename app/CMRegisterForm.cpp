// CMRegisterForm: see CMRegisterForm.h.
#include "app/CMRegisterForm.h"

namespace CMRegisterForm {

std::string Check(CMRegistration& fields)
{
    CleanRegistration(fields);
    return CheckRegistration(fields);
}

std::string ConfirmationText(const CMRegistration& fields)
{
    return "Are you sure you want to create your account?\n\n  User ID:\t\t" + fields.userId +
           "\n  E-mail:\t\t" + fields.email + "\n  Password:\t" + fields.password + "\n";
}

}  // namespace CMRegisterForm
