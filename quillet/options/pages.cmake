# Contents page and general panel.
