#!/usr/bin/python3
"""Writes the demo: a maildir of about 40 messages (ham and recognisable spam) and a home directory
whose account reads that mailbox and whose Default profile and black list catch the spam.

usage: make_home.py HOME MAILDIR PORT USER PASSWORD
"""
import os
import sys
import time

CRLF = "\r\n"


def ini(sections):
    lines = []
    for name, keys in sections:
        lines.append("[%s]" % name)
        lines.extend("%s=%s" % (key, value) for key, value in keys)
    return (CRLF.join(lines) + CRLF).encode("latin-1")


def scramble(password):
    # account.vta keeps the password with every byte XORed with 0xC6.
    return bytes(b ^ 0xC6 for b in password.encode("utf-8")).decode("latin-1")


HAM = [
    ("Anna Berg <anna@friends.example.org>", "Lunch on Friday?"),
    ("Tom Weber <tom@work.example.com>", "Minutes of the project meeting"),
    ("Mum <mum@family.example.net>", "Photos from the weekend"),
    ("Build robot <ci@work.example.com>", "Nightly build passed"),
    ("Library <noreply@library.example.org>", "Your loan is due next week"),
    ("Peter Lang <peter@friends.example.org>", "Re: bike tour"),
    ("Bank <service@bank.example.com>", "Your monthly statement is ready"),
    ("Sara Kim <sara@work.example.com>", "Draft of the report"),
    ("Club <board@club.example.org>", "Annual meeting agenda"),
    ("Tom Weber <tom@work.example.com>", "Re: Minutes of the project meeting"),
    ("Anna Berg <anna@friends.example.org>", "Re: Lunch on Friday?"),
    ("Dentist <office@dentist.example.net>", "Appointment reminder"),
    ("Lisa Roth <lisa@family.example.net>", "Birthday party"),
    ("Newsletter <news@python.example.org>", "Release notes 3.12"),
    ("Sara Kim <sara@work.example.com>", "Re: Draft of the report"),
    ("Hotel <booking@hotel.example.com>", "Booking confirmation 4711"),
    ("Peter Lang <peter@friends.example.org>", "Route for Sunday"),
    ("Mum <mum@family.example.net>", "Re: Photos from the weekend"),
    ("Shop <orders@shop.example.com>", "Your order has shipped"),
    ("Club <board@club.example.org>", "Re: Annual meeting agenda"),
    ("Ben Ali <ben@friends.example.org>", "Chess on Tuesday"),
    ("Tom Weber <tom@work.example.com>", "Holiday plan"),
    ("Lisa Roth <lisa@family.example.net>", "Re: Birthday party"),
    ("Library <noreply@library.example.org>", "New books in your area"),
]

# (From, Subject, extra header lines): each caught by a different rule of the profile below.
SPAM = [
    ("Best Deals <deals@cheap-meds.biz>", "Lowest prices online", []),
    ("Winner <lotto@prize-center.biz>", "Claim your reward", []),
    ("Pharmacy <sales@cheap-meds.biz>", "Order today", []),
    ("Casino Royal <vip@casino-royal.example.com>", "FREE spins for you", []),
    ("Loans <offer@quickloans.example.com>", "Get rich quick with this offer", []),
    ("Dr. Smith <smith@clinic.example.com>", "V1AGRA and CIAL1S cheap", []),
    ("Millionaire <money@fastcash.example.com>", "Make $$$ from home", []),
    ("Investor <info@stocks.example.com>", "", []),
    ("Sender <notice@promo.example.com>", "", []),
    ("Bulk mailer <bulk@mailer.example.com>", "Weekly offers", ["X-Priority: 5"]),
    ("Marketing <promo@adverts.example.com>", "Special discount", ["X-Priority: 5"]),
    ("Prince <prince@royal-family.example.com>", "Urgent business proposal", []),
    ("Spam King <king@spamking.example.net>", "Hello friend", []),
    ("Spam King <king@spamking.example.net>", "Hello again", []),
    ("Replica <watches@replica.example.com>", "Replica watches", []),
    ("Crypto <coins@crypto-gains.biz>", "Double your coins", []),
]

BLACK_LIST = ["king@spamking.example.net", "prince@royal-family.example.com", "watches@replica.example.com"]


def message(sender, subject, extra, index):
    date = time.strftime("%a, %d %b %Y %H:%M:%S +0000", time.gmtime(time.time() - 3600 * (50 - index)))
    lines = ["From: " + sender, "To: Demo User <demo@example.org>", "Subject: " + subject, "Date: " + date,
             "Message-ID: <demo-%d@vantor.example>" % index, "MIME-Version: 1.0",
             "Content-Type: text/plain; charset=us-ascii"] + extra
    body = ["", "This is demo message %d." % index, ""]
    return ("\n".join(lines + body)).encode("ascii")


def write_mailbox(maildir):
    for sub in ("cur", "new", "tmp"):
        os.makedirs(os.path.join(maildir, sub), exist_ok=True)
    mixed = []
    for i in range(max(len(HAM), len(SPAM))):
        if i < len(HAM):
            mixed.append(HAM[i] + ([],))
        if i < len(SPAM):
            mixed.append(SPAM[i])
    for index, (sender, subject, extra) in enumerate(mixed, 1):
        name = "%d.demo%02d.vantor" % (1700000000 + index, index)
        with open(os.path.join(maildir, "new", name), "wb") as out:
            out.write(message(sender, subject, extra, index))
    return len(mixed)


def profile():
    sender_rules = [("Domain", "Ends with", ".biz"), ("EMail", "Starts with", "vip@casino")]
    subject_rules = [("Contains", "free"), ("Contains", "viagra"), ("Contains", "v1agra"), ("Contains", "$$$"),
                     ("Contains", "get rich"), ("Contains", "replica")]
    header_rules = [("Contains", "X-Priority: 5")]
    exceptions = [("Friends", "Domain", "Equals", "friends.example.org")]
    sections = [("FilterActive", [(k, "1") for k in ("Sender", "Subject", "Headers", "Exceptions", "Other")]),
                ("General", [("Filter1", len(sender_rules)), ("Filter2", len(subject_rules)),
                             ("Filter3", len(header_rules)), ("Filter4", len(exceptions))])]
    for n, (kind, condition, text) in enumerate(sender_rules, 1):
        sections.append(("Fil1-%d" % n, [("Type", kind), ("Condition", condition), ("String", text),
                                         ("Case", "No"), ("Check", "1")]))
    for family, rules in ((2, subject_rules), (3, header_rules)):
        for n, (condition, text) in enumerate(rules, 1):
            sections.append(("Fil%d-%d" % (family, n), [("Type", condition), ("String", text), ("Case", "No"),
                                                       ("Check", "1")]))
    for n, (description, kind, condition, text) in enumerate(exceptions, 1):
        sections.append(("Fil4-%d" % n, [("Description", description), ("Type", kind), ("Condition", condition),
                                         ("String", text), ("Case", "No"), ("Check", "1")]))
    sections.append(("Fil5", [("Est", "0"), ("EstValue", "100"), ("Ebt", "0"), ("EbtValue", "20000"),
                              ("Pry", "0"), ("PryValue", "2"), ("EBLF", "1"), ("BList", "Default"),
                              ("GR1", "1"), ("GR2", "1"), ("GR3", "0"), ("GR4", "0"), ("MLD", "0"),
                              ("MLDNum", "0")]))
    return ini(sections)


def write_home(home, port, user, password):
    for sub in ("Profile", "BList", "EBak"):
        os.makedirs(os.path.join(home, sub), exist_ok=True)
    files = {
        "account.vta": ini([("General", [("Total", "1")]),
                            ("Acc1", [("Description", "Demo mailbox"), ("POPServer", "127.0.0.1"),
                                      ("POPPort", port), ("SMTPServer", ""), ("SMTPPort", "25"),
                                      ("Username", user), ("Password", scramble(password)),
                                      ("Profile", "Default"), ("Check", "1"), ("POPSecurity", "None")])]),
        "Profile/Default.vtf": profile(),
        "BList/Default.vtl": (CRLF.join(BLACK_LIST) + CRLF).encode("ascii"),
        "setting.ini": ini([("General", [("StartMinimize", "0"), ("Splash", "1"), ("Mode1", "1"), ("Mode2", "0")]),
                            ("Tips", [("Show", "0")])]),
    }
    for name, data in files.items():
        with open(os.path.join(home, name), "wb") as out:
            out.write(data)


def main():
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    home, maildir, port, user, password = sys.argv[1:]
    count = write_mailbox(maildir)
    write_home(home, port, user, password)
    print("demo mailbox: %d messages, %d of them spam" % (count, len(SPAM)))


main()
