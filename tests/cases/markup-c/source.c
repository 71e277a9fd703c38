alpha // beta gamma
x/*hidden*/z delta /* multi
line */ epsilon
